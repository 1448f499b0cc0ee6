#include "storage/SqliteMonthDb.h"

#include "storage/PosixFile.h"

#include <sqlite3.h>

#include <memory>

namespace SqliteMonthDb {
namespace {

struct DbCloser
{
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;

struct StmtFinalizer
{
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// Turns an SQLite result into the error numbers the program reports.
DbStatus sqliteFailure(sqlite3 *db, int rc, const QString &path)
{
    const int systemErr = db ? sqlite3_system_errno(db) : 0;
    const bool full = (rc & 0xFF) == SQLITE_FULL || systemErr == ENOSPC || systemErr == EDQUOT || systemErr == EFBIG;
    const QString cannotWrite = QStringLiteral("„%1“ kann nicht geschrieben werden. ").arg(path);
    if (full)
        return DbStatus::failure(DbError::DiskFull, cannotWrite + systemErrorText(systemErr ? systemErr : ENOSPC));
    switch (rc & 0xFF) {
    case SQLITE_IOERR:
        // SQLite does not always keep the errno of a failed write.
        if (systemErr == 0 && (rc == SQLITE_IOERR_WRITE || rc == SQLITE_IOERR_FSYNC || rc == SQLITE_IOERR_TRUNCATE))
            return DbStatus::failure(DbError::DiskIo,
                                     cannotWrite
                                         + QStringLiteral("Der Datenträger ist voll oder meldet einen Schreibfehler."));
        return DbStatus::failure(DbError::DiskIo, QStringLiteral("Beim Zugriff auf „%1“ ist ein Fehler aufgetreten. %2")
                                                      .arg(path, systemErrorText(systemErr ? systemErr : EIO)));
    case SQLITE_READONLY:
        return DbStatus::failure(DbError::ReadOnly,
                                 QStringLiteral("Die Datenbank „%1“ ist schreibgeschützt.").arg(path));
    case SQLITE_CORRUPT:
        return DbErrors::corrupt(path);
    case SQLITE_NOTADB:
        return DbErrors::unrecognizedFormat(path);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return DbErrors::cannotOpen(path, systemErr ? systemErr : EACCES);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbStatus::failure(
            DbError::Locked,
            QStringLiteral("Die Datenbank „%1“ ist gerade von einem anderen Programm gesperrt.").arg(path));
    default:
        return DbStatus::failure(DbError::Unexpected,
                                 QStringLiteral("Unerwarteter Datenbankfehler bei „%1“: %2")
                                     .arg(path, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc))));
    }
}

// shown is the path that messages name, when it is not the file opened.
DbStatus open(const QString &file, int flags, DbHandle &db, const QString &shown = QString())
{
    const QString &path = shown.isEmpty() ? file : shown;
    const auto native = PosixFile::nativePath(file);
    if (!native)
        return DbErrors::cannotOpen(path, ENOENT);
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(native->constData(), &raw, flags, nullptr);
    db.reset(raw);
    if (rc != SQLITE_OK)
        return sqliteFailure(db.get(), rc, path);
    sqlite3_extended_result_codes(db.get(), 1);
    return {};
}

DbStatus prepare(sqlite3 *db, const QString &sql, Statement &stmt, const QString &path)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &raw, nullptr);
    stmt.reset(raw);
    if (rc != SQLITE_OK)
        return sqliteFailure(db, rc, path);
    return {};
}

DbStatus exec(sqlite3 *db, const QString &sql, const QString &path)
{
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? DbStatus{} : sqliteFailure(db, rc, path);
}

DbStatus pragmaInt(sqlite3 *db, const char *pragma, const QString &path, int &value)
{
    Statement stmt;
    if (DbStatus s = prepare(db, QStringLiteral("PRAGMA ") + QLatin1StringView(pragma), stmt, path); !s.ok())
        return s;
    const int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_ROW)
        return sqliteFailure(db, rc, path);
    value = sqlite3_column_int(stmt.get(), 0);
    return {};
}

// Only files this program stamped are month files; any other SQLite file is foreign.
DbStatus checkStamp(sqlite3 *db, const QString &path)
{
    int appId = 0;
    int version = 0;
    if (DbStatus s = pragmaInt(db, "application_id", path, appId); !s.ok())
        return s;
    if (DbStatus s = pragmaInt(db, "user_version", path, version); !s.ok())
        return s;
    if (appId != JournalTable::applicationId)
        return DbErrors::unrecognizedFormat(path,
                                            QStringLiteral("Sie ist eine SQLite-Datenbank eines anderen Programms."));
    if (version < 1 || version > JournalTable::userVersion)
        return DbErrors::unrecognizedFormat(
            path, QStringLiteral("Sie stammt von einer anderen Fassung von Barlog (Version %1).").arg(version));
    return {};
}

// The table is looked up with its name as a bound value, so no name reaches SQL unquoted.
DbStatus requireTable(sqlite3 *db, const QString &table, const QString &path)
{
    Statement stmt;
    if (DbStatus s =
            prepare(db, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE"),
                    stmt, path);
        !s.ok())
        return s;
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(stmt.get(), 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_ROW)
        return {};
    if (rc == SQLITE_DONE)
        return DbErrors::tableNotFound(path, table);
    return sqliteFailure(db, rc, path);
}

// Opens one of our month files and prepares "SELECT * FROM table <tail>" on it.
DbStatus selectFrom(const QString &path, int flags, const QString &table, const char *tail, DbHandle &db,
                    Statement &stmt)
{
    if (DbStatus s = open(path, flags, db); !s.ok())
        return s;
    if (DbStatus s = checkStamp(db.get(), path); !s.ok())
        return s;
    if (DbStatus s = requireTable(db.get(), table, path); !s.ok())
        return s;
    return prepare(
        db.get(),
        QStringLiteral("SELECT * FROM %1 %2").arg(JournalTable::quoteIdentifier(table), QLatin1StringView(tail)), stmt,
        path);
}

QString insertSql(const QString &table, int columns)
{
    QStringList params;
    for (int i = 1; i <= columns; ++i)
        params << QLatin1Char('?') + QString::number(i);
    return QStringLiteral("INSERT INTO %1 VALUES (%2)")
        .arg(JournalTable::quoteIdentifier(table), params.join(QStringLiteral(", ")));
}

// Explains a failed length check by the field it names and the value given for it.
DbStatus checkFailure(sqlite3 *db, const QStringList &columns, const Record &values)
{
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const QString field = message.section(QStringLiteral(": "), -1);
    const int index = static_cast<int>(columns.indexOf(field));
    const QString value = index >= 0 && index < values.size() ? values.at(index) : QString();
    if (index >= 0 && value.isEmpty())
        return DbStatus::failure(DbError::ZeroLength,
                                 QStringLiteral("Das Feld „%1“ darf keinen leeren Text enthalten.").arg(field));
    QString limit;
    for (int i = 0; i < JournalTable::fieldCount; ++i) {
        if (JournalTable::fieldName(i) == field)
            limit =
                QStringLiteral(" (höchstens %1 Zeichen)").arg(JournalTable::fields[static_cast<size_t>(i)].maxLength);
    }
    return DbStatus::failure(DbError::FieldTooSmall,
                             QStringLiteral("Der Text „%1“ ist zu lang für das Feld „%2“%3.").arg(value, field, limit));
}

DbStatus insert(sqlite3 *db, sqlite3_stmt *stmt, const QStringList &columns, const Record &values, const QString &path)
{
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    for (int i = 0; i < values.size(); ++i) {
        if (values.at(i).isNull())
            continue;
        const QByteArray utf8 = values.at(i).toUtf8();
        sqlite3_bind_text(stmt, i + 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE)
        return {};
    if (rc == SQLITE_CONSTRAINT_CHECK)
        return checkFailure(db, columns, values);
    return sqliteFailure(db, rc, path);
}

DbStatus tooManyValues(const QString &table, qsizetype fields, qsizetype values)
{
    return DbStatus::failure(DbError::TooManyValues,
                             QStringLiteral("Die Tabelle „%1“ hat %2 Felder; %3 Werte passen nicht hinein.")
                                 .arg(table)
                                 .arg(fields)
                                 .arg(values));
}

QStringList journalColumns()
{
    QStringList names;
    for (int i = 0; i < JournalTable::fieldCount; ++i)
        names << JournalTable::fieldName(i);
    return names;
}

} // namespace

DbStatus writeJournal(const QString &file, const Records &records, const QString &shownPath)
{
    const QString &path = shownPath.isEmpty() ? file : shownPath;
    DbHandle db;
    if (DbStatus s = open(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, db, path); !s.ok())
        return s;
    // The file is new and only replaces the month once complete, so it needs
    // no rollback journal on disk and no syncs of its own: the caller syncs once.
    const QString setup = QStringLiteral("PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF; "
                                         "PRAGMA locking_mode = EXCLUSIVE; BEGIN; "
                                         "PRAGMA application_id = %1; PRAGMA user_version = %2; %3;")
                              .arg(JournalTable::applicationId)
                              .arg(JournalTable::userVersion)
                              .arg(JournalTable::createTableSql());
    if (DbStatus s = exec(db.get(), setup, path); !s.ok())
        return s;
    Statement stmt;
    if (DbStatus s = prepare(db.get(), insertSql(JournalTable::tableName(), JournalTable::fieldCount), stmt, path);
        !s.ok())
        return s;
    const QStringList columns = journalColumns();
    for (const Record &record : records) {
        if (record.size() > JournalTable::fieldCount)
            return tooManyValues(JournalTable::tableName(), JournalTable::fieldCount, record.size());
        if (DbStatus s = insert(db.get(), stmt.get(), columns, record, path); !s.ok())
            return s;
    }
    stmt.reset();
    if (DbStatus s = exec(db.get(), QStringLiteral("COMMIT"), path); !s.ok())
        return s;
    const int rc = sqlite3_close(db.release());
    return rc == SQLITE_OK ? DbStatus{} : sqliteFailure(nullptr, rc, path);
}

DbStatus appendRecord(const QString &path, const QString &table, const Record &values)
{
    DbHandle db;
    Statement probe;
    if (DbStatus s = selectFrom(path, SQLITE_OPEN_READWRITE, table, "LIMIT 0", db, probe); !s.ok())
        return s;
    QStringList columns;
    for (int i = 0; i < sqlite3_column_count(probe.get()); ++i)
        columns << QString::fromUtf8(sqlite3_column_name(probe.get(), i));
    probe.reset();
    if (columns.isEmpty())
        return {};
    if (values.size() > columns.size())
        return tooManyValues(table, columns.size(), values.size());
    Statement stmt;
    if (DbStatus s = prepare(db.get(), insertSql(table, static_cast<int>(columns.size())), stmt, path); !s.ok())
        return s;
    return insert(db.get(), stmt.get(), columns, values, path);
}

DbStatus readTable(const QString &path, const QString &table, Records &records)
{
    records.clear();
    DbHandle db;
    Statement stmt;
    if (DbStatus s = selectFrom(path, SQLITE_OPEN_READONLY, table, "ORDER BY rowid", db, stmt); !s.ok())
        return s;
    const int columns = sqlite3_column_count(stmt.get());
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        Record record;
        record.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            if (sqlite3_column_type(stmt.get(), i) == SQLITE_NULL) {
                record << QString();
                continue;
            }
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), i));
            record << QString::fromUtf8(text, sqlite3_column_bytes(stmt.get(), i));
        }
        records.push_back(std::move(record));
    }
    if (rc != SQLITE_DONE) {
        records.clear();
        return sqliteFailure(db.get(), rc, path);
    }
    return {};
}

} // namespace SqliteMonthDb
