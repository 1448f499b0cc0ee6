#pragma once

#include "storage/CountRecord.h"
#include "storage/JournalTable.h"
#include "storage/LogEntry.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A closed month: when it was closed, and the fingerprints of its records
// and of its chain's last link (log entry or count) at that moment.
struct CloseMark
{
    QString time; // ISO 8601 with the UTC offset
    QByteArray recordsHash;
    QByteArray logHead;
};

// The link a month's chain starts from: the chain head (last link) of the
// month before as it was when this month's first link was made. The first
// link hashes this head instead of the empty start, so the chain runs on
// across months; files from before version 4 start from nothing.
struct MonthLink
{
    QString label; // "2026-02"
    qint64 number = 0;
    QByteArray hash;
};

// A log taken over whole from the file a save replaces, with its cash
// counts: both are copied as they are stored, byte for byte, and checked to
// end with the link (log entry or count) the new ones were chained onto.
struct CarriedLog
{
    QString from;
    qint64 lastNumber = 0;
    QByteArray lastHash;
};

// How much of the change log and the counts a read brings: all of it, or
// only the last entry and the last count, which is all a save needs to
// chain on.
enum class LogRead { Whole, LastEntry };

// Everything a month file holds.
struct MonthContents
{
    Records records;
    ChangeLog::Entries log;
    // The file keeps a change log, as every file Barlog writes now does.
    // Files of the Windows program and of older Barlog versions keep none;
    // their first save starts it.
    bool logged = false;
    // A file stamped as keeping a log whose log table is gone.
    bool logTableMissing = false;
    // The cash counts, in the order of their numbers. Files from before
    // version 3 keep none.
    CashCount::Counts counts;
    // A file stamped as keeping counts whose count table is gone.
    bool countTableMissing = false;
    std::optional<CloseMark> closed;
    // The month before's head this month's chain starts from, if any.
    std::optional<MonthLink> monthBefore;
    // Written only: the entries of log and counts follow those carried over.
    std::optional<CarriedLog> carried;
};
