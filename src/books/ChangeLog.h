#pragma once

#include "storage/CountRecord.h"
#include "storage/JournalTable.h"
#include "storage/LogEntry.h"
#include "storage/MonthContents.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The change log a month file keeps of itself. Nothing recorded may change
// without the original staying visible, so every save appends what it
// changed, cell by cell, to the log of the version it replaces. Each entry
// hashes the previous entry's hash with its own fields (SHA-256), so an entry
// altered, removed or slipped in afterwards breaks the chain from there on.
// The cash counts are links of the same chain: each takes the next number
// and hashes the previous link, so log and counts form one chain ordered by
// number.
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
// cell by cell. A NULL field counts as no cell. A cell a row is made with as
// the blank is left out: the log counts a cell no entry wrote as empty.
std::vector<Change> diff(const Records &before, const Records &after);

// The hash the first entry chains onto.
QByteArray startHash();
// SHA-256 over the previous entry's hash and the entry's own fields, as hex.
QByteArray entryHash(const QByteArray &previousHash, const Entry &entry);
// SHA-256 over the previous link's hash and the count's own fields, as hex.
QByteArray countHash(const QByteArray &previousHash, const CashCount::Count &count);

// One link of the chain: a log entry's or a count's number and hash.
struct Link
{
    qint64 number = 0;
    QByteArray hash;
};
// The month's chain head: its last link, log entry or count, by number; 0
// and startHash() while there is none. The head fingerprints the whole
// chain, so that a link cut off its end is noticed where the head was noted.
Link chainHead(const Entries &log, const CashCount::Counts &counts);
// A month's whole chain counts from the head of the month before it links
// to: with no link yet, that head is where its first link chains on.
Link chainHead(const MonthContents &month);
// The hash the month's first link chains onto: the month before's head, or startHash().
QByteArray chainStart(const MonthContents &month);
// The hash of the month's link of that number, log entry or count; for 0,
// its chainStart(). Nothing when the month has no such link.
std::optional<QByteArray> linkHash(const MonthContents &month, qint64 number);

// Appends the changes to log as entries of one save made at time, numbered
// and chained on from its last entry, or from the link `after`.
void append(Entries &log, const std::vector<Change> &changes, const QString &time);
void append(Entries &log, const Link &after, const std::vector<Change> &changes, const QString &time);
// Makes count the link after `after`: its number and its hash.
void chain(CashCount::Count &count, const Link &after);

// Prepares the next version of the month file at path, which keeps its
// records: next takes them, with the file's log, counts and link to the
// month before carried over;
// a file without a log (the Windows program's or an older Barlog's) gets
// one that starts with its rows, made at time. Returns the head the next
// links chain onto.
Link carryOn(const MonthContents &file, const QString &path, const QString &time, MonthContents &next);

// The records the log describes: its entries applied in order to an empty
// month, every cell no entry wrote up to the last row holding a text as the blank.
Records replay(const Entries &log);

// The first place where the chain of log and counts, or the log and the
// records it should describe, part ways. A cell no entry wrote, or whose row
// an entry removed, is empty: an entry may find the blank there, and a
// record may hold the blank, NULL or nothing there.
struct Break
{
    enum class Kind {
        Chain,    // link `entry` is not the one written: its hash is off
        Missing,  // link `entry` is gone: the next one carries another number
        OldText,  // entry `entry` says a cell held a text the entries before never wrote there
        Record,   // a record no longer holds what entry `entry` wrote (0: no entry wrote that cell)
        Inserted, // link `entry` takes a number another link already has
    };
    Kind kind = Kind::Chain;
    qint64 entry = 0;
    int row = 0;
    int column = 0;
    Cell logged;        // Record: what the log says the cell holds
    Cell stored;        // Record: what the file holds
    bool count = false; // Chain, Inserted: link `entry` is a count
};
std::optional<Break> verify(const Entries &log, const Records &records, const CashCount::Counts &counts = {},
                            const QByteArray &start = startHash());

// SHA-256 over every record's fields, as hex: the fingerprint of a closed month.
QByteArray recordsHash(const Records &records);

// The time an entry or a close mark gets now: ISO 8601 with milliseconds
// and the UTC offset, from the program's clock.
QString timeNow();

// "15.03.2026 10:23:45" for an entry's time; the text itself if it is none.
QString displayTime(const QString &isoTime);

} // namespace ChangeLog
