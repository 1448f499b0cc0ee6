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

struct Entry
{
    qint64 number = 0; // 1, 2, 3, … in the order written
    QString time;      // the moment of the save, ISO 8601 with the UTC offset
    int row = 0;       // the sheet row: the record's index + 1
    int column = 0;    // the field, 0 to 9
    Cell oldText;      // nothing: the row was made by this save
    Cell newText;      // nothing: the row was removed by this save
    QByteArray hash;   // 64 hex digits
};
using Entries = std::vector<Entry>;

} // namespace ChangeLog
