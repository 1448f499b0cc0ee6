#include "StorageFixtures.h"

#include <QDir>

#include <sqlite3.h>

namespace Fixtures {

QList<QStringList> asList(const Records &records)
{
    return QList<QStringList>(records.begin(), records.end());
}

namespace Sql {
namespace {
sqlite3 *openDb(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    return db;
}
} // namespace

bool exec(const QString &path, const QString &sql)
{
    sqlite3 *db = openDb(path);
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

QList<QStringList> query(const QString &path, const QString &sql)
{
    QList<QStringList> result;
    sqlite3 *db = openDb(path);
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
                row << (text ? QString::fromUtf8(text, sqlite3_column_bytes(stmt, i)) : QStringLiteral("<NULL>"));
            }
            result << row;
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

QList<QStringList> rows(const QString &path, const QString &table)
{
    return query(path, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
}
} // namespace Sql

QStringList folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace Fixtures
