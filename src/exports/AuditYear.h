#pragma once

#include "exports/YearFiles.h"
#include "platform/FlexGridStore.h"
#include "storage/MonthContents.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// A year folder read for the tax audit: each month file whole, with its
// change log, counts and close, and what a load would find wrong with it.
// Nothing stops at a bad month: what can be read is kept, and why the rest
// could not be is noted.
namespace AuditYear {

struct Month
{
    int month = 0;
    QString label;                  // "2026-03"
    bool present = false;           // the year folder holds its file
    bool jet = false;               // written by the Windows program
    MonthContents file;             // as read: all of it, or the records alone
    FlexGridStore sheet;            // the records laid out and recalculated, as "Laden" shows them
    QString unreadable;             // why the file could not be read whole
    QString tampered;               // what the check found changed outside Barlog, or a closed month's file missing
    std::optional<CloseMark> close; // the file's own mark, else the register's

    bool closed() const { return close.has_value(); }
    // The file was read, at least its records.
    bool read() const { return present && (unreadable.isEmpty() || !file.records.empty()); }
    // A file that was read but keeps no change log.
    bool unlogged() const { return read() && unreadable.isEmpty() && !file.logged; }
};

struct Year
{
    int year = 0;
    std::array<Month, YearFiles::MonthCount> months;
    // How December of the year before ended, when its file reads.
    std::optional<qint64> closingBefore;
};

Year read(const QString &programFolder, int year);

// The months whose file is there but not closed: "2026-03".
QStringList openMonths(const Year &year);
// One line per month that could not be read whole or was found changed.
QStringList problems(const Year &year);
// One line per month without a change log, saying why it has none.
QStringList unlogged(const Year &year);

} // namespace AuditYear
