#include "storage/AuditTables.h"

#include "storage/CountRecord.h"
#include "storage/JournalTable.h"

#include <QStringList>

namespace AuditTables {
namespace {
QString q(const QString &name)
{
    return JournalTable::quoteIdentifier(name);
}

constexpr const char *GuardedActions[] = {"UPDATE", "DELETE"};

QString triggerName(const QString &table, const char *action)
{
    return q(table + QLatin1Char('_') + QLatin1StringView(action).toString().toLower());
}

QString readOnlyTriggers(const QString &table)
{
    QString sql;
    for (const char *action : GuardedActions)
        sql += QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 BEGIN SELECT RAISE(ABORT, "
                              "'Barlog-Monatsdateien werden nie nachträglich geändert'); END; ")
                   .arg(triggerName(table, action), QLatin1StringView(action), q(table));
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

QString countTable()
{
    return QStringLiteral("Kassenzaehlung");
}

QString linkTable()
{
    return QStringLiteral("Vormonat");
}

QString denominationColumn(int index)
{
    if (index < 0 || index >= CashCount::DenominationCount)
        return {};
    constexpr qint64 CentsPerEuro = 100;
    const qint64 cents = CashCount::denominations[static_cast<size_t>(index)];
    return cents >= CentsPerEuro ? QStringLiteral("Euro%1").arg(cents / CentsPerEuro)
                                 : QStringLiteral("Cent%1").arg(cents);
}

namespace {
// The largest count of one denomination the count window takes.
constexpr int MaxPieces = 99999;
// Nr, Zeit, GezaehltVon, Bemerkung, Buchbestand, Gezaehlt, Differenz and Hash.
constexpr int CountColumnsBesidePieces = 8;

// Every column of a count, quoted, in the table's order.
QString countColumns()
{
    QStringList names = {QStringLiteral("\"Nr\""),          QStringLiteral("\"Zeit\""),
                         QStringLiteral("\"GezaehltVon\""), QStringLiteral("\"Bemerkung\""),
                         QStringLiteral("\"Buchbestand\""), QStringLiteral("\"Gezaehlt\""),
                         QStringLiteral("\"Differenz\"")};
    for (int i = 0; i < CashCount::DenominationCount; ++i)
        names << q(denominationColumn(i));
    names << QStringLiteral("\"Hash\"");
    return names.join(QStringLiteral(", "));
}

// Amounts are exact cents; each denomination a whole count of pieces.
QString createCountSql()
{
    QString pieces;
    for (int i = 0; i < CashCount::DenominationCount; ++i)
        pieces += QStringLiteral("%1 INTEGER NOT NULL CHECK (%1 BETWEEN 0 AND %2), ")
                      .arg(q(denominationColumn(i)))
                      .arg(MaxPieces);
    return QStringLiteral("CREATE TABLE %1 (\"Nr\" INTEGER PRIMARY KEY, \"Zeit\" TEXT NOT NULL, "
                          "\"GezaehltVon\" TEXT NOT NULL, \"Bemerkung\" TEXT NOT NULL, "
                          "\"Buchbestand\" INTEGER NOT NULL, \"Gezaehlt\" INTEGER NOT NULL, "
                          "\"Differenz\" INTEGER NOT NULL, %2\"Hash\" TEXT NOT NULL); ")
        .arg(q(countTable()), pieces);
}
} // namespace

QString createSql()
{
    return QStringLiteral("CREATE TABLE %1 (\"Nr\" INTEGER PRIMARY KEY, \"Zeit\" TEXT NOT NULL, "
                          "\"Zeile\" INTEGER NOT NULL, \"Spalte\" INTEGER NOT NULL, \"Alt\" TEXT, \"Neu\" TEXT, "
                          "\"Hash\" TEXT NOT NULL); "
                          "CREATE TABLE %2 (\"Zeit\" TEXT NOT NULL, \"Buchungen\" TEXT NOT NULL, "
                          "\"Protokoll\" TEXT NOT NULL); ")
               .arg(q(logTable()), q(closeTable()))
           + createCountSql()
           + QStringLiteral("CREATE TABLE %1 (\"Monat\" TEXT NOT NULL, \"Nr\" INTEGER NOT NULL, "
                            "\"Hash\" TEXT NOT NULL); ")
                 .arg(q(linkTable()));
}

namespace {
QStringList guardedTables()
{
    return {JournalTable::tableName(), logTable(), closeTable(), countTable(), linkTable()};
}
} // namespace

QString createTriggersSql()
{
    QString sql;
    for (const QString &table : guardedTables())
        sql += readOnlyTriggers(table);
    return sql;
}

QString dropTriggersSql()
{
    QString sql;
    for (const QString &table : guardedTables()) {
        for (const char *action : GuardedActions)
            sql += QStringLiteral("DROP TRIGGER IF EXISTS %1; ").arg(triggerName(table, action));
    }
    return sql;
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

namespace {
QString copySql(const QString &table, const QString &columns, bool sameColumns)
{
    // Only this plain form lets SQLite move the stored rows as they are.
    if (sameColumns)
        return QStringLiteral("INSERT INTO main.%1 SELECT * FROM alt.%1").arg(q(table));
    return QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM alt.%1 ORDER BY \"Nr\"").arg(q(table), columns);
}
} // namespace

QString copyLogSql(bool sameColumns)
{
    return copySql(logTable(), LogColumns, sameColumns);
}

QString insertCountSql()
{
    QStringList params;
    for (int i = 1; i <= CashCount::DenominationCount + CountColumnsBesidePieces; ++i)
        params << QStringLiteral("?%1").arg(i);
    return QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(q(countTable()), params.join(QStringLiteral(", ")));
}

QString selectCountSql(bool lastOnly)
{
    return QStringLiteral("SELECT %1 FROM %2 ORDER BY \"Nr\" %3")
        .arg(countColumns(), q(countTable()), lastOnly ? QStringLiteral("DESC LIMIT 1") : QString());
}

QString copyCountsSql(bool sameColumns)
{
    return copySql(countTable(), countColumns(), sameColumns);
}

QString selectCloseSql()
{
    return QStringLiteral("SELECT \"Zeit\", \"Buchungen\", \"Protokoll\" FROM %1").arg(q(closeTable()));
}

QString insertLinkSql()
{
    return QStringLiteral("INSERT INTO %1 VALUES (?1, ?2, ?3)").arg(q(linkTable()));
}

QString selectLinkSql()
{
    return QStringLiteral("SELECT \"Monat\", \"Nr\", \"Hash\" FROM %1").arg(q(linkTable()));
}

} // namespace AuditTables
