#pragma once

#include "Sheets.h"
#include "storage/JournalTable.h"

// Direct looks into month files, shared by the storage tests.
namespace Fixtures {

QList<QStringList> asList(const Records &records);

// Straight SQLite, bypassing the code under test. Results come row by row,
// NULL as "<NULL>".
namespace Sql {
bool exec(const QString &path, const QString &sql);
QList<QStringList> query(const QString &path, const QString &sql);
QList<QStringList> rows(const QString &path, const QString &table); // in rowid order
// Flips the lowest bit of one byte of a stored value in place, through
// SQLite's blob interface, as a tool that edits the file would; no trigger sees it.
bool flipByte(const QString &path, const QString &table, const QString &column, qint64 rowid, int offset);
} // namespace Sql

// A month file as Barlog wrote it before the change log (version 1): one record.
bool writeVersion1Month(const QString &path);

// The bytes of a month file the Windows program wrote (Jet 4, table "Users").
QByteArray jetFile();

// Every entry of a folder, sorted, to prove that a failure left nothing behind.
QStringList folderEntries(const QString &path);

} // namespace Fixtures
