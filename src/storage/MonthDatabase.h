#pragma once

#include "storage/DbStatus.h"
#include "storage/JournalTable.h"
#include "storage/MonthContents.h"

#include <QUtf8StringView>

#include <functional>

// The month database operations behind the main window's procedures of the
// same names. Each opens what it needs and closes it before it returns.
namespace MonthDatabase {

// Creates the empty month database at DBName, unless a file is there already
// (then nothing happens). Something else in the way, such as a folder of
// that name, gives DbError::DatabaseExists; a half-made file is removed.
DbStatus interne_Datenbank(const QString &DBName);

// Appends one record to tabelle of the month database datenbank, value i
// into field i. Jet files, foreign files and missing files are refused.
DbStatus DatensatzAnfuegen(const Record &satz, const QString &datenbank, const QString &tabelle);

// Reads every record of tabelle in appending order, from our own files and
// from the Windows program's Jet files alike; the format is told by the
// file's first bytes. On failure records is left empty.
DbStatus readRecords(const QString &datenbank, const QString &tabelle, Records &records);

// The first `count` fields of every journal record, in appending order,
// handed to take as UTF-8 without making a text of them; a NULL field is a
// null view. Reads both formats as readRecords does and fails alike.
using FieldsTaker = std::function<void(const QUtf8StringView *fields)>;
DbStatus readJournalFields(const QString &datenbank, int count, const FieldsTaker &take);

// The whole month file: records, change log and close mark. The Windows
// program's files hold records only.
DbStatus readMonth(const QString &datenbank, MonthContents &month, LogRead read = LogRead::Whole);

// The month file's cash counts alone, in the order of their numbers. Files
// of the Windows program and of older Barlog versions keep none.
DbStatus readCounts(const QString &datenbank, CashCount::Counts &counts);

// What the main window shows when interne_Datenbank meets an existing database.
QString alreadyExistsMessage(); // " Datenbank schon vorhanden"

} // namespace MonthDatabase
