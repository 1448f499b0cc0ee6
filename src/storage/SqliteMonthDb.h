#pragma once

#include "storage/DbStatus.h"
#include "storage/JournalTable.h"
#include "storage/MonthContents.h"

#include <QUtf8StringView>

#include <functional>

// Month files in our own format, over the SQLite C API. Every call opens the
// file, does its work and closes it again; nothing stays open in between.
namespace SqliteMonthDb {

// Fills a new, empty file at path with the stamped tables: the journal with
// the records, the change log and the counts (the carried ones first) and
// the close mark, in one transaction. The
// caller makes the file durable and moves it into place; a failure leaves a
// file the caller throws away. Messages name shownPath, the file the user
// knows, if it is given.
DbStatus writeMonth(const QString &path, const MonthContents &month, const QString &shownPath = QString());

// Appends one record to table of an existing month file. Fewer values than
// fields leave the rest NULL; more are refused.
DbStatus appendRecord(const QString &path, const QString &table, const Record &values);

// Every record of table, in appending order.
DbStatus readTable(const QString &path, const QString &table, Records &records);

// The first count fields of every journal record, in appending order, as
// UTF-8 views valid during the call of take; a NULL field is a null view.
DbStatus readJournalFields(const QString &path, int count,
                           const std::function<void(const QUtf8StringView *fields)> &take);

// The journal's records, and the change log, close mark and cash counts
// where the file keeps them. On failure month is left empty.
DbStatus readMonth(const QString &path, MonthContents &month, LogRead read = LogRead::Whole);

// The cash counts alone, in the order of their numbers; none for a file
// from before them. On failure counts is left empty.
DbStatus readCounts(const QString &path, CashCount::Counts &counts);

} // namespace SqliteMonthDb
