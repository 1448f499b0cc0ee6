#include "books/MonthAudit.h"

namespace MonthAudit {
namespace {
const QString br2 = QStringLiteral("\r\n\r\n");

QString quotedCell(const ChangeLog::Cell &cell)
{
    if (!cell)
        return QStringLiteral("nichts");
    return QStringLiteral("„%1“").arg(*cell);
}

const ChangeLog::Entry *entryNumbered(const ChangeLog::Entries &log, qint64 number)
{
    for (const ChangeLog::Entry &e : log) {
        if (e.number == number)
            return &e;
    }
    return nullptr;
}

// "Nr. 17 vom 15.03.2026 10:23:45"
QString entryName(const ChangeLog::Entries &log, qint64 number)
{
    const ChangeLog::Entry *e = entryNumbered(log, number);
    QString name = QStringLiteral("Nr. %1").arg(number);
    if (e != nullptr)
        name += QStringLiteral(" vom ") + ChangeLog::displayTime(e->time);
    return name;
}

QString place(int row, int column)
{
    return QStringLiteral("Zeile %1, Spalte %2").arg(row).arg(columnName(column));
}

QString breakText(const ChangeLog::Entries &log, const ChangeLog::Break &b)
{
    using Kind = ChangeLog::Break::Kind;
    switch (b.kind) {
    case Kind::Chain:
        return QStringLiteral("Der erste veränderte Eintrag des Änderungsprotokolls ist %1 (%2).")
            .arg(entryName(log, b.entry), place(b.row, b.column));
    case Kind::Missing:
        return QStringLiteral("Eintrag Nr. %1 des Änderungsprotokolls fehlt.").arg(b.entry);
    case Kind::OldText:
        return QStringLiteral("Eintrag %1 des Änderungsprotokolls (%2) passt nicht zu den Einträgen davor.")
            .arg(entryName(log, b.entry), place(b.row, b.column));
    case Kind::Record:
        if (b.entry == 0)
            return QStringLiteral("%1 enthält %2, aber kein Eintrag des Änderungsprotokolls hat das dort eingetragen.")
                .arg(place(b.row, b.column), quotedCell(b.stored));
        return QStringLiteral("%1 enthält %2, laut Eintrag %3 des Änderungsprotokolls gehört dort %4 hin.")
            .arg(place(b.row, b.column), quotedCell(b.stored), entryName(log, b.entry), quotedCell(b.logged));
    }
    return {};
}
} // namespace

Finding check(const MonthContents &month)
{
    Finding finding;
    if (!month.logged)
        return finding;
    finding.logMissing = month.logTableMissing;
    if (!finding.logMissing)
        finding.logBreak = ChangeLog::verify(month.log, month.records);
    if (month.closed) {
        const QByteArray head = month.log.empty() ? ChangeLog::startHash() : month.log.back().hash;
        finding.closeBroken =
            ChangeLog::recordsHash(month.records) != month.closed->recordsHash || head != month.closed->logHead;
    }
    return finding;
}

bool intact(const Finding &finding)
{
    return !finding.logBreak && !finding.logMissing && !finding.closeBroken;
}

QString describe(const MonthContents &month, const Finding &finding)
{
    if (finding.logMissing)
        return QStringLiteral("Ihr Änderungsprotokoll fehlt.");
    if (finding.logBreak)
        return breakText(month.log, *finding.logBreak);
    if (finding.closeBroken)
        return QStringLiteral("Ihre Buchungen sind nicht mehr die, die beim Abschluss am %1 gespeichert waren.")
            .arg(ChangeLog::displayTime(month.closed->time));
    return {};
}

QString message(const QString &fileName, const MonthContents &month, const Finding &finding)
{
    if (intact(finding))
        return {};
    return QStringLiteral("Die Datei „%1“ wurde außerhalb von Barlog verändert.").arg(fileName) + br2
           + describe(month, finding) + br2
           + QStringLiteral("Der Monat wurde trotzdem geladen. Was er jetzt zeigt, ist nicht sicher das, was "
                            "Barlog gespeichert hat.");
}

QString columnName(int column)
{
    const QString name = JournalTable::fieldName(column);
    return name.isEmpty() ? QString::number(column) : name;
}

} // namespace MonthAudit
