#pragma once

#include "storage/ChangeLog.h"
#include "storage/JournalTable.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A closed month: when it was closed, and the fingerprints of its records
// and of its change log's last entry at that moment.
struct CloseMark
{
    QString time; // ISO 8601 with the UTC offset
    QByteArray recordsHash;
    QByteArray logHead;
};

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
    std::optional<CloseMark> closed;
};
