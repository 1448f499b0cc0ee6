#pragma once

#include <QByteArray>
#include <QString>

class FlexGridStore;

// The shown month as a table for spreadsheet programs: the carry-over row
// and every entry row that holds anything, one line each.
// - Columns: the ten fields under their headings, then the rate of each
//   income ("Steuersatz 1" to "Steuersatz 3"), filled where that income is.
// - German spreadsheets open it as it is: ";" between fields, amounts with a
//   decimal comma and no grouping, CRLF, UTF-8 with a byte order mark.
// - An empty cell is an empty field; a field holding ";", a quote, a line
//   break or blanks at its ends is quoted, inner quotes doubled.
// - A text beginning with "=", "+", "-", "@", a tab or a carriage return
//   gets a leading apostrophe, so that no spreadsheet runs it as a formula;
//   amounts stay numbers.
namespace CsvExport {

QByteArray write(const FlexGridStore &sheet);

// One field as it stands in the file.
QString field(const QString &text);

} // namespace CsvExport
