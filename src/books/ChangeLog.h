#pragma once

#include "storage/JournalTable.h"
#include "storage/LogEntry.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The change log a month file keeps of itself. Nothing recorded may change
// without the original staying visible, so every save appends what it
// changed, cell by cell, to the log of the version it replaces. Each entry
// hashes the previous entry's hash with its own fields (SHA-256), so an entry
// altered, removed or slipped in afterwards breaks the chain from there on.
namespace ChangeLog {

// What one save changes: a cell's text before and after.
struct Change
{
    int row = 0;
    int column = 0;
    Cell oldText;
    Cell newText;
};

// Every cell whose text differs between two versions of the month, row by
// row and column by column; rows only one version has are made or removed
// cell by cell. A NULL field counts as no cell.
std::vector<Change> diff(const Records &before, const Records &after);

// The hash the first entry chains onto.
QByteArray startHash();
// SHA-256 over the previous entry's hash and the entry's own fields, as hex.
QByteArray entryHash(const QByteArray &previousHash, const Entry &entry);

// Appends the changes to log as entries of one save made at time, numbered
// and chained on from its last entry.
void append(Entries &log, const std::vector<Change> &changes, const QString &time);

// The records the log describes: its entries applied in order to an empty month.
Records replay(const Entries &log);

// The first place where a log and the records it should describe part ways.
struct Break
{
    enum class Kind {
        Chain,   // entry `entry` is not the one written: its hash is off
        Missing, // entry `entry` is gone: the next one carries another number
        OldText, // entry `entry` says a cell held a text the entries before never wrote there
        Record,  // a record no longer holds what entry `entry` wrote (0: no entry wrote that cell)
    };
    Kind kind = Kind::Chain;
    qint64 entry = 0;
    int row = 0;
    int column = 0;
    Cell logged; // Record: what the log says the cell holds
    Cell stored; // Record: what the file holds
};
std::optional<Break> verify(const Entries &log, const Records &records);

// SHA-256 over every record's fields, as hex: the fingerprint of a closed month.
QByteArray recordsHash(const Records &records);

// The time an entry or a close mark gets now: ISO 8601 with milliseconds
// and the UTC offset, from the program's clock.
QString timeNow();

// "15.03.2026 10:23:45" for an entry's time; the text itself if it is none.
QString displayTime(const QString &isoTime);

} // namespace ChangeLog
