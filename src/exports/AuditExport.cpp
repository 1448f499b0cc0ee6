#include "exports/AuditExport.h"

#include "books/CashCount.h"
#include "books/MonthAudit.h"
#include "editing/EntryDate.h"
#include "editing/Modul.h"
#include "editing/MonthTotals.h"
#include "editing/VatSplit.h"
#include "exports/GdpduTable.h"
#include "exports/ProblemList.h"

#include <QDir>

namespace AuditExport {
namespace {
using Gdpdu::Column;
using Gdpdu::Table;
using Gdpdu::Type;

const QString br = QStringLiteral("\r\n");
const QString CashBook = QStringLiteral("Kassenbuch");
const QString MonthColumn = QStringLiteral("Monat");
const QString RowColumn = QStringLiteral("Zeile");

Column monthKey()
{
    return {MonthColumn, Type::Integer, QStringLiteral("1 bis 12")};
}

std::optional<QDate> dayOf(const QString &isoTime)
{
    const QDateTime moment = QDateTime::fromString(isoTime, Qt::ISODateWithMs);
    return moment.isValid() ? std::optional(moment.date()) : std::nullopt;
}

std::optional<qint64> centsIn(const QString &cell)
{
    if (cell.trimmed().isEmpty())
        return std::nullopt;
    return modul::centsOf(cell);
}

QString status(const AuditYear::Month &m)
{
    return m.closed() ? QStringLiteral("abgeschlossen") : QStringLiteral("offen");
}

Table cashBook(const AuditYear::Year &year)
{
    std::vector<Column> columns{
        monthKey(),
        {RowColumn, Type::Integer,
         QStringLiteral("Zeile des Kassenblatts wie im Änderungsprotokoll; 2 ist der Übertrag")},
        {QStringLiteral("Monatsstatus"), Type::Text, QStringLiteral("abgeschlossen oder offen")},
        {QStringLiteral("Beleg"), Type::Text, {}},
        {QStringLiteral("Datum"), Type::Date, QStringLiteral("leer, wo kein Tag erfasst ist")},
        {QStringLiteral("Datum wie erfasst"), Type::Text, {}},
        {QStringLiteral("Text"), Type::Text, {}},
        {QStringLiteral("Konto"), Type::Text, {}}};
    for (int i = 1; i <= modul::RateCount; ++i) {
        columns.push_back({QStringLiteral("Einnahmen %1").arg(i), Type::TwoDecimals, QStringLiteral("brutto")});
        columns.push_back({QStringLiteral("Steuersatz %1").arg(i), Type::TwoDecimals,
                           QStringLiteral("Prozent, wie der Monat die Spalte überschreibt")});
        columns.push_back({QStringLiteral("Netto %1").arg(i), Type::TwoDecimals, {}});
        columns.push_back({QStringLiteral("USt %1").arg(i), Type::TwoDecimals, {}});
    }
    columns.push_back({QStringLiteral("Ausgaben"), Type::TwoDecimals, {}});
    columns.push_back({QStringLiteral("Bestand"), Type::TwoDecimals, QStringLiteral("nach der Zeile")});
    Table t(QStringLiteral("kassenbuch.csv"), CashBook, std::move(columns), 2);
    for (const AuditYear::Month &m : year.months) {
        if (!m.read())
            continue;
        const FlexGridStore &s = m.sheet;
        std::array<std::optional<int>, modul::RateCount> rates;
        for (int c = 0; c < modul::RateCount; ++c)
            rates[static_cast<size_t>(c)] = modul::rateOf(s.textMatrix(modul::RowRates, modul::ColEinnahmen1 + c));
        for (int r = modul::RowUebertrag; r < s.rows(); ++r) {
            if (r != modul::RowUebertrag && !modul::holdsEntry(s, r))
                continue;
            const QString &dateText = s.textMatrix(r, modul::ColDatum);
            t.integer(m.month).integer(r).text(status(m)).text(s.textMatrix(r, modul::ColBeleg).trimmed());
            t.date(modul::entryDate(dateText, year.year)).text(dateText).text(s.textMatrix(r, modul::ColText));
            t.text(s.textMatrix(r, modul::ColKonto));
            for (int c = 0; c < modul::RateCount; ++c) {
                const std::optional<qint64> gross = centsIn(s.textMatrix(r, modul::ColEinnahmen1 + c));
                const std::optional<int> rate = rates[static_cast<size_t>(c)];
                const std::optional<modul::VatSplit> split =
                    gross && rate ? std::optional(modul::splitGross(*gross, *rate)) : std::nullopt;
                t.twoDecimals(gross).twoDecimals(rate);
                t.twoDecimals(split ? std::optional(split->net) : std::nullopt);
                t.twoDecimals(split ? std::optional(split->vat) : std::nullopt);
            }
            t.twoDecimals(centsIn(s.textMatrix(r, modul::ColAusgaben)))
                .twoDecimals(centsIn(s.textMatrix(r, modul::ColBestand)));
            t.endRecord();
        }
    }
    return t;
}

QString textOf(const ChangeLog::Utf8Cell &cell)
{
    return cell ? QString::fromUtf8(*cell) : QString();
}

QString logKind(const ChangeLog::Entry &e)
{
    if (!e.oldText)
        return QStringLiteral("neue Zeile");
    if (!e.newText)
        return QStringLiteral("Zeile entfernt");
    return QStringLiteral("geändert");
}

Table changeLog(const AuditYear::Year &year)
{
    Table t(QStringLiteral("aenderungsprotokoll.csv"), QStringLiteral("Änderungsprotokoll"),
            {monthKey(),
             {QStringLiteral("Nr"), Type::Integer, QStringLiteral("Glied der Kette aus Protokoll und Zählungen")},
             {QStringLiteral("Zeitpunkt"), Type::Text, QStringLiteral("der Speicherung, ISO 8601")},
             {QStringLiteral("Datum"), Type::Date, {}},
             {RowColumn, Type::Integer, QStringLiteral("Zeile des Kassenblatts")},
             {QStringLiteral("Spalte"), Type::Text, {}},
             {QStringLiteral("Art"), Type::Text, QStringLiteral("neue Zeile, geändert oder Zeile entfernt")},
             {QStringLiteral("Alter Text"), Type::Text, {}},
             {QStringLiteral("Neuer Text"), Type::Text, {}},
             {QStringLiteral("Hash"), Type::Text,
              QStringLiteral("SHA-256 über den Hash davor (vor dem ersten Glied: Kettenkopf des "
                             "Vormonats laut Überträge, sonst 64 Nullen) und den Eintrag")}},
            2, {{{MonthColumn, RowColumn}, CashBook}});
    for (const AuditYear::Month &m : year.months) {
        for (const ChangeLog::Entry &e : m.file.log) {
            t.integer(m.month).integer(e.number).text(e.time).date(dayOf(e.time)).integer(e.row);
            t.text(MonthAudit::columnName(e.column)).text(logKind(e)).text(textOf(e.oldText));
            t.text(textOf(e.newText)).text(QString::fromLatin1(e.hash));
            t.endRecord();
        }
    }
    return t;
}

Table closes(const AuditYear::Year &year)
{
    Table t(QStringLiteral("monatsabschluesse.csv"), QStringLiteral("Monatsabschlüsse"),
            {monthKey(),
             {QStringLiteral("Zeitpunkt"), Type::Text, QStringLiteral("des Abschlusses, ISO 8601")},
             {QStringLiteral("Datum"), Type::Date, {}},
             {QStringLiteral("Fingerabdruck der Buchungen"), Type::Text, QStringLiteral("SHA-256")},
             {QStringLiteral("Ende der Kette"), Type::Text, QStringLiteral("Hash des letzten Glieds beim Abschluss")}},
            1);
    for (const AuditYear::Month &m : year.months) {
        if (!m.close)
            continue;
        t.integer(m.month).text(m.close->time).date(dayOf(m.close->time));
        t.text(QString::fromLatin1(m.close->recordsHash)).text(QString::fromLatin1(m.close->logHead));
        t.endRecord();
    }
    return t;
}

Table counts(const AuditYear::Year &year)
{
    std::vector<Column> columns{
        monthKey(),
        {QStringLiteral("Nr"), Type::Integer, QStringLiteral("Glied der Kette")},
        {QStringLiteral("Zeitpunkt"), Type::Text, QStringLiteral("der Zählung, ISO 8601")},
        {QStringLiteral("Datum"), Type::Date, {}},
        {QStringLiteral("Gezählt von"), Type::Text, {}},
        {QStringLiteral("Notiz"), Type::Text, {}},
        {QStringLiteral("Buchbestand"), Type::TwoDecimals, {}},
        {QStringLiteral("Gezählt"), Type::TwoDecimals, {}},
        {QStringLiteral("Differenz"), Type::TwoDecimals, QStringLiteral("gezählt - Buchbestand")}};
    for (int i = 0; i < CashCount::DenominationCount; ++i)
        columns.push_back({QStringLiteral("Anzahl %1").arg(CashCount::denominationLabel(i)), Type::Integer, {}});
    columns.push_back(
        {QStringLiteral("Hash"), Type::Text, QStringLiteral("SHA-256 über den Hash davor und die Zählung")});
    Table t(QStringLiteral("kassenzaehlungen.csv"), QStringLiteral("Kassenzählungen"), std::move(columns), 2,
            {{{MonthColumn}, CashBook}});
    for (const AuditYear::Month &m : year.months) {
        for (const CashCount::Count &c : m.file.counts) {
            t.integer(m.month).integer(c.number).text(c.time).date(dayOf(c.time)).text(c.countedBy).text(c.note);
            t.twoDecimals(c.bookBalance).twoDecimals(c.counted).twoDecimals(c.difference);
            for (const int pieces : c.pieces)
                t.integer(pieces);
            t.text(QString::fromLatin1(c.hash));
            t.endRecord();
        }
    }
    return t;
}

Table carryOvers(const AuditYear::Year &year)
{
    Table t(QStringLiteral("uebertraege.csv"), QStringLiteral("Überträge"),
            {monthKey(),
             {QStringLiteral("Übertrag"), Type::TwoDecimals, QStringLiteral("Bestand, mit dem der Monat beginnt")},
             {QStringLiteral("Beleg des Übertrags"), Type::Text, {}},
             {QStringLiteral("Text des Übertrags"), Type::Text, {}},
             {QStringLiteral("Endbestand des Vormonats"), Type::TwoDecimals, QStringLiteral("leer, wo er fehlt")},
             {QStringLiteral("Abweichung"), Type::TwoDecimals, QStringLiteral("Übertrag - Endbestand des Vormonats")},
             {QStringLiteral("Endbestand"), Type::TwoDecimals, {}},
             {QStringLiteral("Kettenkopf des Vormonats"), Type::Text,
              QStringLiteral("Hash, an den das erste Glied des Monats anknüpft; leer: 64 Nullen")}},
            1);
    std::optional<qint64> before = year.closingBefore;
    for (const AuditYear::Month &m : year.months) {
        if (!m.read()) {
            before.reset();
            continue;
        }
        const modul::MonthTotals totals = modul::MonthTotals::of(m.sheet);
        const qint64 carry = totals.carryOver;
        t.integer(m.month).twoDecimals(carry).text(m.sheet.textMatrix(modul::RowUebertrag, modul::ColBeleg).trimmed());
        t.text(m.sheet.textMatrix(modul::RowUebertrag, modul::ColText)).twoDecimals(before);
        t.twoDecimals(before ? std::optional(carry - *before) : std::nullopt);
        before = totals.closingBalance.value_or(carry);
        t.twoDecimals(before);
        t.text(m.file.monthBefore ? QString::fromLatin1(m.file.monthBefore->hash) : QString());
        t.endRecord();
    }
    return t;
}

QString cashBookDescription(const AuditYear::Year &year)
{
    QString d = QStringLiteral("Kassenbuch %1: jede Zeile mit einer Buchung und je Monat die Übertragszeile (Zeile 2). "
                               "Einnahmen brutto je Spalte mit ihrem Steuersatz; Netto und USt sind je Zeile auf "
                               "den Cent gerundet. Bestand wie beim Laden berechnet.")
                    .arg(year.year);
    if (const QStringList open = AuditYear::openMonths(year); !open.isEmpty())
        d += QStringLiteral(" Nicht abgeschlossen: %1.").arg(open.join(QStringLiteral(", ")));
    if (const QStringList none = AuditYear::unlogged(year); !none.isEmpty())
        d += QStringLiteral(" Ohne Änderungsprotokoll: %1.").arg(none.join(QStringLiteral(", ")));
    if (const QStringList problems = AuditYear::problems(year); !problems.isEmpty())
        d += QStringLiteral(" Mit dem ausgegeben, was sich lesen ließ: %1").arg(problems.join(u' '));
    return d;
}

QString changeLogDescription(const AuditYear::Year &year)
{
    QString d = QStringLiteral("Jede Änderung einer Zelle beim Speichern, in einer Kette mit den Kassenzählungen "
                               "desselben Monats. Eine Zeile, die später entfernt wurde, steht nicht mehr im "
                               "Kassenbuch.");
    if (const QStringList none = AuditYear::unlogged(year); !none.isEmpty())
        d += QStringLiteral(" Diese Monate haben kein Änderungsprotokoll: %1.").arg(none.join(QStringLiteral(", ")));
    return d;
}

Gdpdu::Supplier supplier(const ShopData &shop, int year, const QDateTime &created)
{
    QStringList location;
    for (const QString &part : {shop.street, shop.place}) {
        if (!part.isEmpty())
            location << part;
    }
    QString comment = QStringLiteral("Kassenbuch %1, ausgegeben am %2 von Barlog.")
                          .arg(year)
                          .arg(created.toString(QStringLiteral("dd.MM.yyyy hh:mm")));
    if (!shop.steuernummer.isEmpty())
        comment = QStringLiteral("Steuernummer %1. ").arg(shop.steuernummer) + comment;
    return {shop.name, location.join(QStringLiteral(", ")), comment};
}
} // namespace

std::vector<ZipArchive::Entry> files(const AuditYear::Year &year, const ShopData &shop, const QDateTime &created)
{
    Table book = cashBook(year);
    book.setDescription(cashBookDescription(year));
    Table log = changeLog(year);
    log.setDescription(changeLogDescription(year));
    Table closed = closes(year);
    closed.setDescription(QStringLiteral("Die abgeschlossenen Monate mit den Fingerabdrücken beim Abschluss."));
    Table counted = counts(year);
    counted.setDescription(QStringLiteral("Jede gespeicherte Zählung der Kasse (Zählprotokoll)."));
    Table carried = carryOvers(year);
    carried.setDescription(QStringLiteral("Je gelesenem Monat sein Übertrag und der Endbestand des Monats davor."));
    const std::vector<const Table *> tables{&book, &log, &closed, &counted, &carried};
    std::vector<ZipArchive::Entry> entries;
    entries.push_back(
        {QStringLiteral("index.xml"),
         Gdpdu::indexXml(supplier(shop, year.year, created), QStringLiteral("Kassenbuch %1").arg(year.year), tables)});
    entries.push_back({Gdpdu::dtdName(), Gdpdu::dtd()});
    for (const Table *t : tables)
        entries.push_back({t->url(), t->csv()});
    return entries;
}

QString fileName(int year)
{
    return QStringLiteral("Betriebsprüfung %1.zip").arg(year);
}

QString openMonthsQuestion(int year, const QStringList &open)
{
    return QStringLiteral("Diese Monate von %1 sind noch nicht abgeschlossen:").arg(year) + br + br
           + open.join(QStringLiteral(", ")) + br + br
           + QStringLiteral("Ihre Buchungen können sich noch ändern; der Export kennzeichnet sie als „offen“. "
                            "Trotzdem exportieren ?");
}

QString nothingMessage(int year)
{
    return QStringLiteral("Für %1 gibt es keine Monatsdateien.").arg(year);
}

QString doneMessage(const QString &path, const AuditYear::Year &year, const ShopData &shop)
{
    QString done = QStringLiteral("Die Daten für die Betriebsprüfung %1 sind gespeichert in „%2“.")
                       .arg(year.year)
                       .arg(QDir::toNativeSeparators(path));
    if (shop.name.isEmpty())
        done += br + br
                + QStringLiteral("Der Name des Betriebs fehlt darin; bitte in den Einstellungen unter „Betrieb“ "
                                 "eintragen und erneut exportieren.");
    if (const QStringList none = AuditYear::unlogged(year); !none.isEmpty())
        done += br + br + QStringLiteral("Ohne Änderungsprotokoll: %1.").arg(none.join(QStringLiteral(", ")));
    const QStringList problems = AuditYear::problems(year);
    if (problems.isEmpty())
        return done;
    return problemMessage(done + br + br
                              + QStringLiteral("Diese Monate sind mit dem ausgegeben, was sich lesen ließ; "
                                               "index.xml nennt sie ebenso:"),
                          problems, QStringLiteral("Bitte die Dateien prüfen."));
}

} // namespace AuditExport
