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
} // namespace Sql

// Every entry of a folder, sorted, to prove that a failure left nothing behind.
QStringList folderEntries(const QString &path);

} // namespace Fixtures
