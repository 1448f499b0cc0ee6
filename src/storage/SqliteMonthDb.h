#pragma once

#include "storage/DbStatus.h"
#include "storage/JournalTable.h"

// Month files in our own format, over the SQLite C API. Every call opens the
// file, does its work and closes it again; nothing stays open in between.
namespace SqliteMonthDb {

// Fills a new, empty file at path with the stamped journal table and the
// records, in one transaction. The caller makes the file durable and moves
// it into place; a failure leaves a file the caller throws away. Messages
// name shownPath, the file the user knows, if it is given.
DbStatus writeJournal(const QString &path, const Records &records, const QString &shownPath = QString());

// Appends one record to table of an existing month file. Fewer values than
// fields leave the rest NULL; more are refused.
DbStatus appendRecord(const QString &path, const QString &table, const Record &values);

// Every record of table, in appending order.
DbStatus readTable(const QString &path, const QString &table, Records &records);

} // namespace SqliteMonthDb
