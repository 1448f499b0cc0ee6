#include "storage/AuditTables.h"

#include "storage/JournalTable.h"

namespace AuditTables {
namespace {
QString q(const QString &name)
{
    return JournalTable::quoteIdentifier(name);
}

QString readOnlyTriggers(const QString &table)
{
    QString sql;
    for (const char *action : {"UPDATE", "DELETE"}) {
        const QString verb = QLatin1StringView(action);
        sql += QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 BEGIN SELECT RAISE(ABORT, "
                              "'Barlog-Monatsdateien werden nie nachträglich geändert'); END; ")
                   .arg(q(table + QLatin1Char('_') + verb.toLower()), verb, q(table));
    }
    return sql;
}
} // namespace

QString logTable()
{
    return QStringLiteral("Protokoll");
}

QString closeTable()
{
    return QStringLiteral("Abschluss");
}

QString createSql()
{
    return QStringLiteral("CREATE TABLE %1 (\"Nr\" INTEGER PRIMARY KEY, \"Zeit\" TEXT NOT NULL, "
                          "\"Zeile\" INTEGER NOT NULL, \"Spalte\" INTEGER NOT NULL, \"Alt\" TEXT, \"Neu\" TEXT, "
                          "\"Hash\" TEXT NOT NULL); "
                          "CREATE TABLE %2 (\"Zeit\" TEXT NOT NULL, \"Buchungen\" TEXT NOT NULL, "
                          "\"Protokoll\" TEXT NOT NULL); ")
               .arg(q(logTable()), q(closeTable()))
           + readOnlyTriggers(JournalTable::tableName()) + readOnlyTriggers(logTable())
           + readOnlyTriggers(closeTable());
}

QString insertLogSql()
{
    return QStringLiteral("INSERT INTO %1 VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)").arg(q(logTable()));
}

QString insertCloseSql()
{
    return QStringLiteral("INSERT INTO %1 VALUES (?1, ?2, ?3)").arg(q(closeTable()));
}

namespace {
const QString LogColumns = QStringLiteral("\"Nr\", \"Zeit\", \"Zeile\", \"Spalte\", \"Alt\", \"Neu\", \"Hash\"");
} // namespace

QString selectLogSql(bool lastOnly)
{
    return QStringLiteral("SELECT %1 FROM %2 ORDER BY \"Nr\" %3")
        .arg(LogColumns, q(logTable()), lastOnly ? QStringLiteral("DESC LIMIT 1") : QString());
}

QString copyLogSql()
{
    return QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM alt.%1 ORDER BY \"Nr\"")
        .arg(q(logTable()), LogColumns);
}

QString selectCloseSql()
{
    return QStringLiteral("SELECT \"Zeit\", \"Buchungen\", \"Protokoll\" FROM %1").arg(q(closeTable()));
}

} // namespace AuditTables
