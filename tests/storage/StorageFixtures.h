#pragma once

#include "Sheets.h"
#include "storage/JournalTable.h"

// Direct looks into month files, shared by the storage tests.
namespace Fixtures {

QList<QStringList> asList(const Records &records);

// Straight SQLite, bypassing the code under test.
namespace Sql {
bool exec(const QString &path, const QString &sql);
int pragma(const QString &path, const QString &name);
QStringList columns(const QString &path, const QString &table);
// Rows in rowid order; NULL shows as "<NULL>".
QList<QStringList> rows(const QString &path, const QString &table);
} // namespace Sql

// Every entry of a folder, sorted, to prove that a failure left nothing behind.
QStringList folderEntries(const QString &path);

} // namespace Fixtures
