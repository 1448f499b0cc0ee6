#include "storage/SqliteMonthDb.h"

#include "storage/AuditTables.h"
#include "storage/PosixFile.h"

#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
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
    // A connection never leaves the call that opened it: it needs no mutex.
    const int rc = sqlite3_open_v2(native->constData(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
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
DbStatus checkStamp(sqlite3 *db, const QString &path, int &version)
{
    int appId = 0;
    version = 0;
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

// The table is looked up with its name as a bound value, so no name reaches
// SQL unquoted; schema is "main" or "alt".
DbStatus requireTable(sqlite3 *db, const QString &table, const QString &path, const char *schema = "main")
{
    Statement stmt;
    if (DbStatus s = prepare(db,
                             QStringLiteral("SELECT 1 FROM %1.sqlite_schema WHERE type = 'table' AND name = ?1 "
                                            "COLLATE NOCASE")
                                 .arg(QLatin1StringView(schema)),
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

// Opens one of our month files and prepares "SELECT <columns> FROM table <tail>" on it.
DbStatus selectFrom(const QString &path, int flags, const QString &table, const char *tail, DbHandle &db,
                    Statement &stmt, int &version, const QString &columns = QStringLiteral("*"))
{
    if (DbStatus s = open(path, flags, db); !s.ok())
        return s;
    if (DbStatus s = checkStamp(db.get(), path, version); !s.ok())
        return s;
    if (DbStatus s = requireTable(db.get(), table, path); !s.ok())
        return s;
    return prepare(
        db.get(),
        QStringLiteral("SELECT %1 FROM %2 %3").arg(columns, JournalTable::quoteIdentifier(table), QLatin1StringView(tail)),
        stmt, path);
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
        const QString &value = values.at(i);
        if (value.isNull())
            continue;
        // The blank of an empty cell, most of a month's fields, needs no conversion.
        if (value.size() == 1 && value.front() == u' ') {
            sqlite3_bind_text(stmt, i + 1, " ", 1, SQLITE_STATIC);
            continue;
        }
        const QByteArray utf8 = value.toUtf8();
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

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

// The bytes stay until the statement has run.
void bindCell(sqlite3_stmt *stmt, int index, const ChangeLog::Utf8Cell &cell)
{
    if (cell)
        sqlite3_bind_text(stmt, index, cell->constData(), static_cast<int>(cell->size()), SQLITE_STATIC);
    else
        sqlite3_bind_null(stmt, index);
}

ChangeLog::Cell columnCell(sqlite3_stmt *stmt, int index)
{
    if (sqlite3_column_type(stmt, index) == SQLITE_NULL)
        return std::nullopt;
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, index));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, index));
}

QByteArray columnBytes(sqlite3_stmt *stmt, int index)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, index));
    return QByteArray(text, sqlite3_column_bytes(stmt, index));
}

// A log cell as stored; the blank of an empty cell, the most frequent text, is shared.
ChangeLog::Utf8Cell columnUtf8Cell(sqlite3_stmt *stmt, int index)
{
    static const QByteArray blank = JournalTable::blankCell().toUtf8();
    if (sqlite3_column_type(stmt, index) == SQLITE_NULL)
        return std::nullopt;
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, index));
    const int length = sqlite3_column_bytes(stmt, index);
    if (QByteArrayView(text, length) == blank)
        return blank;
    return QByteArray(text, length);
}

// Steps stmt to its end, handing each row to take.
template <typename Take>
DbStatus eachRow(sqlite3 *db, sqlite3_stmt *stmt, const QString &path, Take take)
{
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        take(stmt);
    return rc == SQLITE_DONE ? DbStatus{} : sqliteFailure(db, rc, path);
}

// A field's text, NULL as the null text; the blank of an empty cell is shared.
QString columnText(sqlite3_stmt *stmt, int index)
{
    static const QString blank = JournalTable::blankCell();
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, index));
    if (!text)
        return {};
    const int length = sqlite3_column_bytes(stmt, index);
    if (length == 1 && text[0] == ' ')
        return blank;
    return QString::fromUtf8(text, length);
}

DbStatus readRecords(sqlite3 *db, sqlite3_stmt *stmt, const QString &path, Records &records)
{
    const int columns = sqlite3_column_count(stmt);
    DbStatus status = eachRow(db, stmt, path, [&records, columns](sqlite3_stmt *row) {
        Record record;
        record.reserve(columns);
        for (int i = 0; i < columns; ++i)
            record << columnText(row, i);
        records.push_back(std::move(record));
    });
    if (!status.ok())
        records.clear();
    return status;
}

DbStatus insertRecords(sqlite3 *db, const Records &records, const QString &path)
{
    Statement stmt;
    if (DbStatus s = prepare(db, insertSql(JournalTable::tableName(), JournalTable::fieldCount), stmt, path); !s.ok())
        return s;
    const QStringList columns = journalColumns();
    for (const Record &record : records) {
        if (record.size() > JournalTable::fieldCount)
            return tooManyValues(JournalTable::tableName(), JournalTable::fieldCount, record.size());
        if (DbStatus s = insert(db, stmt.get(), columns, record, path); !s.ok())
            return s;
    }
    return {};
}

// Runs stmt once with the parameters bind gives it.
template <typename Bind>
DbStatus runOnce(sqlite3 *db, sqlite3_stmt *stmt, const QString &path, Bind bind)
{
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    bind(stmt);
    const int rc = sqlite3_step(stmt);
    return rc == SQLITE_DONE ? DbStatus{} : sqliteFailure(db, rc, path);
}

DbStatus insertLog(sqlite3 *db, const ChangeLog::Entries &log, const QString &path)
{
    Statement stmt;
    if (DbStatus s = prepare(db, AuditTables::insertLogSql(), stmt, path); !s.ok())
        return s;
    for (const ChangeLog::Entry &e : log) {
        DbStatus s = runOnce(db, stmt.get(), path, [&e](sqlite3_stmt *st) {
            sqlite3_bind_int64(st, 1, e.number);
            bindText(st, 2, e.time);
            sqlite3_bind_int(st, 3, e.row);
            sqlite3_bind_int(st, 4, e.column);
            bindCell(st, 5, e.oldText);
            bindCell(st, 6, e.newText);
            sqlite3_bind_text(st, 7, e.hash.constData(), static_cast<int>(e.hash.size()), SQLITE_TRANSIENT);
        });
        if (!s.ok())
            return s;
    }
    return {};
}

DbStatus insertCounts(sqlite3 *db, const CashCount::Counts &counts, const QString &path)
{
    Statement stmt;
    if (DbStatus s = prepare(db, AuditTables::insertCountSql(), stmt, path); !s.ok())
        return s;
    for (const CashCount::Count &c : counts) {
        DbStatus s = runOnce(db, stmt.get(), path, [&c](sqlite3_stmt *st) {
            int column = 0;
            sqlite3_bind_int64(st, ++column, c.number);
            bindText(st, ++column, c.time);
            bindText(st, ++column, c.countedBy);
            bindText(st, ++column, c.note);
            sqlite3_bind_int64(st, ++column, c.bookBalance);
            sqlite3_bind_int64(st, ++column, c.counted);
            sqlite3_bind_int64(st, ++column, c.difference);
            for (const int pieces : c.pieces)
                sqlite3_bind_int(st, ++column, pieces);
            sqlite3_bind_text(st, ++column, c.hash.constData(), static_cast<int>(c.hash.size()), SQLITE_TRANSIENT);
        });
        if (!s.ok())
            return s;
    }
    return {};
}

DbStatus insertClose(sqlite3 *db, const CloseMark &mark, const QString &path)
{
    Statement stmt;
    if (DbStatus s = prepare(db, AuditTables::insertCloseSql(), stmt, path); !s.ok())
        return s;
    return runOnce(db, stmt.get(), path, [&mark](sqlite3_stmt *st) {
        bindText(st, 1, mark.time);
        sqlite3_bind_text(st, 2, mark.recordsHash.constData(), static_cast<int>(mark.recordsHash.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, mark.logHead.constData(), static_cast<int>(mark.logHead.size()), SQLITE_TRANSIENT);
    });
}

// Room for the entries up to the highest number, so that a long log is not
// moved from one allocation to the next while it is read.
void reserveFor(sqlite3 *db, ChangeLog::Entries &log)
{
    constexpr qint64 MostReserved = 1 << 20;
    const QByteArray sql = QStringLiteral("SELECT max(\"Nr\") FROM %1")
                               .arg(JournalTable::quoteIdentifier(AuditTables::logTable()))
                               .toUtf8();
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &raw, nullptr) != SQLITE_OK)
        return;
    const Statement stmt(raw);
    if (sqlite3_step(raw) == SQLITE_ROW)
        log.reserve(static_cast<size_t>(std::clamp<qint64>(sqlite3_column_int64(raw, 0), 0, MostReserved)));
}

DbStatus readLog(sqlite3 *db, const QString &path, ChangeLog::Entries &log, LogRead read)
{
    if (DbStatus s = requireTable(db, AuditTables::logTable(), path); !s.ok())
        return s;
    Statement stmt;
    if (DbStatus s = prepare(db, AuditTables::selectLogSql(read == LogRead::LastEntry), stmt, path); !s.ok())
        return s;
    if (read == LogRead::Whole)
        reserveFor(db, log);
    // The entries of one save share their time: it is read once.
    QByteArray timeBytes;
    QString time;
    return eachRow(db, stmt.get(), path, [&log, &timeBytes, &time](sqlite3_stmt *row) {
        const QByteArrayView stored(reinterpret_cast<const char *>(sqlite3_column_text(row, 1)),
                                   sqlite3_column_bytes(row, 1));
        if (stored != timeBytes || log.empty()) {
            timeBytes = stored.toByteArray();
            time = QString::fromUtf8(stored);
        }
        log.push_back({sqlite3_column_int64(row, 0), time, sqlite3_column_int(row, 2), sqlite3_column_int(row, 3),
                       columnUtf8Cell(row, 4), columnUtf8Cell(row, 5), columnBytes(row, 6)});
    });
}

DbStatus readCountTable(sqlite3 *db, const QString &path, CashCount::Counts &counts, LogRead read)
{
    if (DbStatus s = requireTable(db, AuditTables::countTable(), path); !s.ok())
        return s;
    Statement stmt;
    if (DbStatus s = prepare(db, AuditTables::selectCountSql(read == LogRead::LastEntry), stmt, path); !s.ok())
        return s;
    return eachRow(db, stmt.get(), path, [&counts](sqlite3_stmt *row) {
        CashCount::Count c;
        int column = 0;
        c.number = sqlite3_column_int64(row, column++);
        c.time = columnCell(row, column++).value_or(QString());
        c.countedBy = columnCell(row, column++).value_or(QString());
        c.note = columnCell(row, column++).value_or(QString());
        c.bookBalance = sqlite3_column_int64(row, column++);
        c.counted = sqlite3_column_int64(row, column++);
        c.difference = sqlite3_column_int64(row, column++);
        for (int &pieces : c.pieces)
            pieces = sqlite3_column_int(row, column++);
        c.hash = columnBytes(row, column);
        counts.push_back(std::move(c));
    });
}

DbStatus attachReadOnly(sqlite3 *db, const QString &from, const QString &path)
{
    Statement stmt;
    if (DbStatus s = prepare(db, QStringLiteral("ATTACH DATABASE ?1 AS alt"), stmt, path); !s.ok())
        return s;
    return runOnce(db, stmt.get(), path, [&from](sqlite3_stmt *st) {
        const QByteArray uri = QUrl::fromLocalFile(from).toEncoded() + "?mode=ro";
        sqlite3_bind_text(st, 1, uri.constData(), static_cast<int>(uri.size()), SQLITE_TRANSIENT);
    });
}

// The table's column names in main and in alt, in order; empty where it is missing.
QStringList columnNames(sqlite3 *db, const char *schema, const QString &table)
{
    const QByteArray sql = QStringLiteral("SELECT * FROM %1.%2 LIMIT 0")
                               .arg(QLatin1StringView(schema), JournalTable::quoteIdentifier(table))
                               .toUtf8();
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &raw, nullptr) != SQLITE_OK)
        return {};
    const Statement stmt(raw);
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(raw); ++i)
        names << QString::fromUtf8(sqlite3_column_name(raw, i));
    return names;
}

bool sameColumns(sqlite3 *db, const QString &table)
{
    const QStringList names = columnNames(db, "main", table);
    return !names.isEmpty() && names == columnNames(db, "alt", table);
}

// The log entries and counts of the replaced file, copied as stored; the new
// ones were chained onto its last link, so that must still be the last one.
// A file from before the counts has none to copy.
DbStatus checkCarriedHead(sqlite3 *db, const CarriedLog &carried, const QString &path);

DbStatus copyLog(sqlite3 *db, const CarriedLog &carried, const QString &path)
{
    const QString log = AuditTables::logTable();
    if (DbStatus s = exec(db, AuditTables::copyLogSql(sameColumns(db, log)), path); !s.ok())
        return s;
    const QString counts = AuditTables::countTable();
    if (requireTable(db, counts, path, "alt").ok()) {
        if (DbStatus s = exec(db, AuditTables::copyCountsSql(sameColumns(db, counts)), path); !s.ok())
            return s;
    }
    return checkCarriedHead(db, carried, path);
}

// The new entries chain onto the head the replaced file had when it was
// read; a file changed since then is not saved over.
DbStatus checkCarriedHead(sqlite3 *db, const CarriedLog &carried, const QString &path)
{
    ChangeLog::Entries last;
    if (DbStatus s = readLog(db, path, last, LogRead::LastEntry); !s.ok())
        return s;
    CashCount::Counts lastCount;
    if (DbStatus s = readCountTable(db, path, lastCount, LogRead::LastEntry); !s.ok())
        return s;
    qint64 number = last.empty() ? 0 : last.back().number;
    QByteArray hash = last.empty() ? QByteArray() : last.back().hash;
    if (!lastCount.empty() && lastCount.back().number > number) {
        number = lastCount.back().number;
        hash = lastCount.back().hash;
    }
    // With nothing carried there is no hash to compare.
    if (number == carried.lastNumber && (number == 0 || hash == carried.lastHash))
        return {};
    return DbStatus::failure(DbError::Unexpected,
                             QStringLiteral("Die Datei „%1“ wurde während des Speicherns von anderer Seite geändert. "
                                            "Bitte erneut speichern.")
                                 .arg(carried.from));
}

// A file stamped as logged without its close table counts as open.
DbStatus readClose(sqlite3 *db, const QString &path, std::optional<CloseMark> &closed)
{
    if (!requireTable(db, AuditTables::closeTable(), path).ok())
        return {};
    Statement stmt;
    if (DbStatus s = prepare(db, AuditTables::selectCloseSql(), stmt, path); !s.ok())
        return s;
    return eachRow(db, stmt.get(), path, [&closed](sqlite3_stmt *row) {
        if (!closed)
            closed = CloseMark{columnCell(row, 0).value_or(QString()), columnBytes(row, 1), columnBytes(row, 2)};
    });
}

DbStatus insertLink(sqlite3 *db, const MonthLink &link, const QString &path)
{
    Statement stmt;
    if (DbStatus s = prepare(db, AuditTables::insertLinkSql(), stmt, path); !s.ok())
        return s;
    return runOnce(db, stmt.get(), path, [&link](sqlite3_stmt *st) {
        bindText(st, 1, link.label);
        sqlite3_bind_int64(st, 2, link.number);
        sqlite3_bind_text(st, 3, link.hash.constData(), static_cast<int>(link.hash.size()), SQLITE_TRANSIENT);
    });
}

// A file without the table, from before version 4, starts its chain from nothing.
DbStatus readLink(sqlite3 *db, const QString &path, std::optional<MonthLink> &link)
{
    if (!requireTable(db, AuditTables::linkTable(), path).ok())
        return {};
    Statement stmt;
    if (DbStatus s = prepare(db, AuditTables::selectLinkSql(), stmt, path); !s.ok())
        return s;
    return eachRow(db, stmt.get(), path, [&link](sqlite3_stmt *row) {
        if (!link)
            link = MonthLink{columnCell(row, 0).value_or(QString()), sqlite3_column_int64(row, 1), columnBytes(row, 2)};
    });
}

// Every table's, index's and view's statement, in the order of their names:
// what a file holds besides its rows and its triggers.
QStringList tableSchema(sqlite3 *db)
{
    QStringList schema;
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT type || ' ' || name || ' ' || ifnull(sql, '') FROM main.sqlite_schema "
                           "WHERE type <> 'trigger' ORDER BY name",
                           -1, &raw, nullptr)
        != SQLITE_OK)
        return {};
    const Statement stmt(raw);
    while (sqlite3_step(raw) == SQLITE_ROW)
        schema << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(raw, 0)));
    return schema;
}

const QStringList &currentTableSchema()
{
    static const QStringList schema = [] {
        DbHandle db;
        if (!open(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE, db).ok()
            || !exec(db.get(), JournalTable::createTableSql() + QStringLiteral("; ") + AuditTables::createSql(), {})
                    .ok())
            return QStringList();
        return tableSchema(db.get());
    }();
    return schema;
}

// A replaced file of this version whose tables are all as this version
// makes them is copied page by page: its log and counts, most of it, need
// not be inserted row by row again. Any other is written afresh, with only
// its log and counts copied over; copied says which.
DbStatus copyReplaced(sqlite3 *db, const QString &from, const QString &path, bool &copied)
{
    copied = false;
    DbHandle source;
    if (DbStatus s = open(from, SQLITE_OPEN_READONLY, source, from); !s.ok())
        return s;
    int version = 0;
    if (!checkStamp(source.get(), from, version).ok() || version != JournalTable::userVersion
        || currentTableSchema().isEmpty() || tableSchema(source.get()) != currentTableSchema())
        return {};
    sqlite3_backup *backup = sqlite3_backup_init(db, "main", source.get(), "main");
    if (!backup)
        return sqliteFailure(db, sqlite3_extended_errcode(db), path);
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        return sqliteFailure(db, rc, from);
    copied = true;
    return {};
}
} // namespace

DbStatus writeMonth(const QString &file, const MonthContents &month, const QString &shownPath)
{
    const QString &path = shownPath.isEmpty() ? file : shownPath;
    DbHandle db;
    if (DbStatus s = open(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, db, path); !s.ok())
        return s;
    // The file is new and only replaces the month once complete, so it needs
    // no rollback journal on disk and no syncs of its own: the caller syncs once.
    if (DbStatus s = exec(db.get(),
                          QStringLiteral("PRAGMA main.journal_mode = MEMORY; PRAGMA main.synchronous = OFF; "
                                         "PRAGMA main.locking_mode = EXCLUSIVE;"),
                          path);
        !s.ok())
        return s;
    bool copied = false;
    if (month.carried) {
        if (DbStatus s = copyReplaced(db.get(), month.carried->from, path, copied); !s.ok())
            return s;
        if (!copied) {
            if (DbStatus s = attachReadOnly(db.get(), month.carried->from, path); !s.ok())
                return s;
        }
    }
    // A copy keeps its log and counts; its journal, close mark and link are
    // written anew, with the guards lifted until the end of the transaction.
    const QString setup =
        copied ? QStringLiteral("BEGIN; %1 DELETE FROM %2; DELETE FROM %3; DELETE FROM %4;")
                     .arg(AuditTables::dropTriggersSql(), JournalTable::quoteIdentifier(JournalTable::tableName()),
                          JournalTable::quoteIdentifier(AuditTables::closeTable()),
                          JournalTable::quoteIdentifier(AuditTables::linkTable()))
               : QStringLiteral("BEGIN; PRAGMA application_id = %1; PRAGMA user_version = %2; %3; %4")
                     .arg(JournalTable::applicationId)
                     .arg(JournalTable::userVersion)
                     .arg(JournalTable::createTableSql(), AuditTables::createSql());
    if (DbStatus s = exec(db.get(), setup, path); !s.ok())
        return s;
    if (DbStatus s = insertRecords(db.get(), month.records, path); !s.ok())
        return s;
    if (month.carried) {
        if (DbStatus s = copied ? checkCarriedHead(db.get(), *month.carried, path)
                                : copyLog(db.get(), *month.carried, path);
            !s.ok())
            return s;
    }
    if (DbStatus s = insertLog(db.get(), month.log, path); !s.ok())
        return s;
    if (DbStatus s = insertCounts(db.get(), month.counts, path); !s.ok())
        return s;
    if (month.closed) {
        if (DbStatus s = insertClose(db.get(), *month.closed, path); !s.ok())
            return s;
    }
    if (month.monthBefore) {
        if (DbStatus s = insertLink(db.get(), *month.monthBefore, path); !s.ok())
            return s;
    }
    if (DbStatus s = exec(db.get(), AuditTables::createTriggersSql() + QStringLiteral("COMMIT"), path); !s.ok())
        return s;
    const int rc = sqlite3_close(db.release());
    return rc == SQLITE_OK ? DbStatus{} : sqliteFailure(nullptr, rc, path);
}

DbStatus appendRecord(const QString &path, const QString &table, const Record &values)
{
    DbHandle db;
    Statement probe;
    int version = 0;
    if (DbStatus s = selectFrom(path, SQLITE_OPEN_READWRITE, table, "LIMIT 0", db, probe, version); !s.ok())
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
    int version = 0;
    if (DbStatus s = selectFrom(path, SQLITE_OPEN_READONLY, table, "ORDER BY rowid", db, stmt, version); !s.ok())
        return s;
    return readRecords(db.get(), stmt.get(), path, records);
}

DbStatus readJournalFields(const QString &path, int count, const std::function<void(const QUtf8StringView *fields)> &take)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << JournalTable::quoteIdentifier(JournalTable::fieldName(i));
    DbHandle db;
    Statement stmt;
    int version = 0;
    if (DbStatus s = selectFrom(path, SQLITE_OPEN_READONLY, JournalTable::tableName(), "ORDER BY rowid", db, stmt,
                                version, names.join(QStringLiteral(", ")));
        !s.ok())
        return s;
    std::vector<QUtf8StringView> fields(static_cast<size_t>(count));
    return eachRow(db.get(), stmt.get(), path, [&fields, &take](sqlite3_stmt *row) {
        for (size_t i = 0; i < fields.size(); ++i) {
            const int column = static_cast<int>(i);
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(row, column));
            fields[i] = text ? QUtf8StringView(text, sqlite3_column_bytes(row, column)) : QUtf8StringView();
        }
        take(fields.data());
    });
}

DbStatus readMonth(const QString &path, MonthContents &month, LogRead read)
{
    month = {};
    DbHandle db;
    Statement stmt;
    int version = 0;
    if (DbStatus s =
            selectFrom(path, SQLITE_OPEN_READONLY, JournalTable::tableName(), "ORDER BY rowid", db, stmt, version);
        !s.ok())
        return s;
    if (DbStatus s = readRecords(db.get(), stmt.get(), path, month.records); !s.ok())
        return s;
    stmt.reset();
    // A file that holds a log is checked whatever its stamp says: a stamp
    // lowered by hand would otherwise hide the log, and the next save drop it.
    const bool holdsLog = requireTable(db.get(), AuditTables::logTable(), path).ok();
    if (version < JournalTable::firstLoggedVersion && !holdsLog)
        return {};
    month.logged = true;
    DbStatus status = readLog(db.get(), path, month.log, read);
    if (status.number == static_cast<int>(DbError::TableNotFound)) {
        month.logTableMissing = true;
        status = {};
    }
    if (status.ok())
        status = readClose(db.get(), path, month.closed);
    if (status.ok()
        && (version >= JournalTable::firstCountedVersion
            || requireTable(db.get(), AuditTables::countTable(), path).ok())) {
        status = readCountTable(db.get(), path, month.counts, read);
        if (status.number == static_cast<int>(DbError::TableNotFound)) {
            month.countTableMissing = true;
            status = {};
        }
    }
    if (status.ok())
        status = readLink(db.get(), path, month.monthBefore);
    if (!status.ok())
        month = {};
    return status;
}

DbStatus readCounts(const QString &path, CashCount::Counts &counts)
{
    counts.clear();
    DbHandle db;
    Statement stmt;
    int version = 0;
    if (DbStatus s = selectFrom(path, SQLITE_OPEN_READONLY, JournalTable::tableName(), "LIMIT 0", db, stmt, version);
        !s.ok())
        return s;
    stmt.reset();
    if (version < JournalTable::firstCountedVersion && !requireTable(db.get(), AuditTables::countTable(), path).ok())
        return {};
    DbStatus status = readCountTable(db.get(), path, counts, LogRead::Whole);
    if (!status.ok())
        counts.clear();
    return status;
}

} // namespace SqliteMonthDb
