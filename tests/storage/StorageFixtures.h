#pragma once

#include "editing/SheetLayout.h"
#include "platform/FlexGridStore.h"
#include "storage/JournalTable.h"

#include <QList>
#include <QStringList>

// Sheets and direct looks into month files, shared by the storage tests.
namespace Fixtures {

modul::RateTexts defaultRates(); // "19%", "7%", "0%"

// The journal sheet as start-up leaves it: rows 0 to 4, headings, rates,
// "Übertrag" in row 2.
FlexGridStore startupSheet();

// Sets the texts of one row, column 0 onwards.
void setRow(FlexGridStore &sheet, int row, const QStringList &texts);

// Every cell text, row by row, to compare whole sheets.
QList<QStringList> texts(const FlexGridStore &sheet);
QList<QStringList> asList(const Records &records);

// Straight SQLite, bypassing the code under test.
namespace Sql {
bool exec(const QString &path, const QString &sql);
int pragma(const QString &path, const QString &name);
QStringList columns(const QString &path, const QString &table);
// Rows in rowid order; NULL shows as "<NULL>".
QList<QStringList> rows(const QString &path, const QString &table);
// Flips the lowest bit of one byte of a stored value in place, through
// SQLite's blob interface, as a tool that edits the file would; no trigger sees it.
bool flipByte(const QString &path, const QString &table, const QString &column, qint64 rowid, int offset);
} // namespace Sql

// A month file as Barlog wrote it before the change log (version 1): one record.
bool writeVersion1Month(const QString &path);

// Every entry of a folder, sorted, to prove that a failure left nothing behind.
QStringList folderEntries(const QString &path);

} // namespace Fixtures
