#include "StorageFixtures.h"
#include "TestSupport.h"

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

bool flipByte(const QString &path, const QString &table, const QString &column, qint64 rowid, int offset)
{
    sqlite3 *db = openDb(path);
    sqlite3_blob *blob = nullptr;
    bool ok = sqlite3_blob_open(db, "main", table.toUtf8().constData(), column.toUtf8().constData(), rowid, 1, &blob)
              == SQLITE_OK;
    char byte = 0;
    ok = ok && sqlite3_blob_read(blob, &byte, 1, offset) == SQLITE_OK;
    byte = static_cast<char>(byte ^ 1);
    ok = ok && sqlite3_blob_write(blob, &byte, 1, offset) == SQLITE_OK;
    sqlite3_blob_close(blob);
    sqlite3_close(db);
    return ok;
}

QList<QStringList> rows(const QString &path, const QString &table)
{
    return query(path, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
}
} // namespace Sql

bool writeVersion1Month(const QString &path)
{
    return Sql::exec(path,
                     JournalTable::createTableSql()
                         + QStringLiteral("; INSERT INTO Journal VALUES ('1,00', ' ', ' ', ' ', ' ', ' ', ' ', ' ', "
                                          "'alt', ' '); PRAGMA application_id = %1; PRAGMA user_version = 1")
                               .arg(JournalTable::applicationId));
}

QByteArray jetFile()
{
    QFile in(testDataPath(QStringLiteral("jet4/users.mdb")));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QStringList folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace Fixtures
