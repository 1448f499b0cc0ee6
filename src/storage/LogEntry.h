#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A change log entry as a month file stores it. The rules that write and
// check the chain are the books' (books/ChangeLog.h); the file only keeps it.
namespace ChangeLog {

// One cell of one version of the month: its text, or nothing where that row
// did not exist in that version.
using Cell = std::optional<QString>;
// A cell as the log stores and hashes it: its text in UTF-8, taken from the
// file and put back as it is.
using Utf8Cell = std::optional<QByteArray>;

struct Entry
{
    qint64 number = 0; // 1, 2, 3, … in the order written
    QString time;      // the moment of the save, ISO 8601 with the UTC offset
    int row = 0;       // the sheet row: the record's index + 1
    int column = 0;    // the field, 0 to 9
    Utf8Cell oldText;  // nothing: the row was made by this save
    Utf8Cell newText;  // nothing: the row was removed by this save
    QByteArray hash;   // 64 hex digits
};

// The text of a stored cell.
inline Cell textOf(const Utf8Cell &cell)
{
    return cell ? Cell(QString::fromUtf8(*cell)) : std::nullopt;
}
inline Utf8Cell utf8Of(const Cell &cell)
{
    return cell ? Utf8Cell(cell->toUtf8()) : std::nullopt;
}
using Entries = std::vector<Entry>;

} // namespace ChangeLog
