#include "books/MonthAudit.h"

#include <algorithm>

namespace MonthAudit {
namespace {
const QString br2 = QStringLiteral("\r\n\r\n");

QString quotedCell(const ChangeLog::Cell &cell)
{
    if (!cell)
        return QStringLiteral("nichts");
    return QStringLiteral("„%1“").arg(*cell);
}

// "Nr. 17 vom 15.03.2026 10:23:45" for the log entry or count of that number.
template <typename Links>
QString linkName(const Links &links, qint64 number)
{
    QString name = QStringLiteral("Nr. %1").arg(number);
    const auto found =
        std::find_if(links.begin(), links.end(), [number](const auto &link) { return link.number == number; });
    if (found != links.end())
        name += QStringLiteral(" vom ") + ChangeLog::displayTime(found->time);
    return name;
}

QString place(int row, int column)
{
    return QStringLiteral("Zeile %1, Spalte %2").arg(row).arg(columnName(column));
}

QString breakText(const MonthContents &month, const ChangeLog::Break &b)
{
    using Kind = ChangeLog::Break::Kind;
    const ChangeLog::Entries &log = month.log;
    switch (b.kind) {
    case Kind::Chain:
        if (b.count)
            return QStringLiteral("Die Kassenzählung %1 ist nicht mehr die, die Barlog gespeichert hat.")
                .arg(linkName(month.counts, b.entry));
        return QStringLiteral("Der erste veränderte Eintrag des Änderungsprotokolls ist %1 (%2).")
            .arg(linkName(log, b.entry), place(b.row, b.column));
    case Kind::Missing:
        // The gap does not tell which kind of link was removed.
        return QStringLiteral("Nr. %1 fehlt: ein Eintrag des Änderungsprotokolls oder eine Kassenzählung wurde "
                              "entfernt.")
            .arg(b.entry);
    case Kind::Inserted:
        if (b.count)
            return QStringLiteral("Die Kassenzählung %1 wurde nachträglich eingefügt.")
                .arg(linkName(month.counts, b.entry));
        return QStringLiteral("Eintrag Nr. %1 des Änderungsprotokolls (%2) wurde nachträglich eingefügt.")
            .arg(b.entry)
            .arg(place(b.row, b.column));
    case Kind::OldText:
        return QStringLiteral("Eintrag %1 des Änderungsprotokolls (%2) passt nicht zu den Einträgen davor.")
            .arg(linkName(log, b.entry), place(b.row, b.column));
    case Kind::Record:
        if (b.entry == 0)
            return QStringLiteral("%1 enthält %2, aber kein Eintrag des Änderungsprotokolls hat das dort eingetragen.")
                .arg(place(b.row, b.column), quotedCell(b.stored));
        return QStringLiteral("%1 enthält %2, laut Eintrag %3 des Änderungsprotokolls gehört dort %4 hin.")
            .arg(place(b.row, b.column), quotedCell(b.stored), linkName(log, b.entry), quotedCell(b.logged));
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
    finding.countsMissing = month.countTableMissing;
    if (!finding.logMissing)
        finding.logBreak = ChangeLog::verify(month.log, month.records, month.counts, ChangeLog::chainStart(month));
    if (month.closed) {
        finding.closeBroken = ChangeLog::recordsHash(month.records) != month.closed->recordsHash
                              || ChangeLog::chainHead(month).hash != month.closed->logHead;
    }
    return finding;
}

bool intact(const Finding &finding)
{
    return !finding.logBreak && !finding.logMissing && !finding.countsMissing && !finding.closeBroken;
}

QString describe(const MonthContents &month, const Finding &finding)
{
    if (finding.logMissing)
        return QStringLiteral("Ihr Änderungsprotokoll fehlt.");
    if (finding.countsMissing)
        return QStringLiteral("Ihre Kassenzählungen fehlen.");
    if (finding.logBreak)
        return breakText(month, *finding.logBreak);
    if (finding.closeBroken && ChangeLog::recordsHash(month.records) == month.closed->recordsHash)
        return QStringLiteral("Die Kette aus Änderungsprotokoll und Kassenzählungen endet nicht mehr dort, wo sie "
                              "beim Abschluss am %1 endete.")
            .arg(ChangeLog::displayTime(month.closed->time));
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

QString headingName(int column, const modul::RateTexts &rates)
{
    if (column < modul::ColEinnahmen1 || column >= modul::ColEinnahmen1 + modul::RateCount) {
        const QString heading = column >= 0 && column < modul::ColCount ? modul::heading(column) : QString();
        return heading.isEmpty() ? columnName(column) : heading;
    }
    QString rate = rates[static_cast<size_t>(column - modul::ColEinnahmen1)].trimmed();
    // "19%" reads as the German "19 %".
    if (rate.size() > 1 && rate.endsWith(u'%') && rate[rate.size() - 2] != u' ')
        rate.insert(rate.size() - 1, u' ');
    return (modul::heading(column) + u' ' + rate).trimmed();
}

QString shownCell(const ChangeLog::Cell &cell)
{
    if (!cell)
        return QStringLiteral("—");
    return cell->trimmed().isEmpty() ? QStringLiteral("(leer)") : *cell;
}

modul::RateTexts rateTexts(const Records &records)
{
    modul::RateTexts rates = modul::defaultRateTexts();
    if (records.size() <= static_cast<size_t>(modul::RowRates))
        return rates;
    const Record &row = records[static_cast<size_t>(modul::RowRates)];
    for (int c = 0; c < modul::RateCount; ++c) {
        const QString text = row.value(modul::ColEinnahmen1 + c).trimmed();
        if (!text.isEmpty())
            rates[static_cast<size_t>(c)] = text;
    }
    return rates;
}

} // namespace MonthAudit
