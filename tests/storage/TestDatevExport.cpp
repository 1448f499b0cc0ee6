#include "ExtfChecker.h"
#include "StorageFixtures.h"
#include "TestSupport.h"

#include "editing/GermanNumbers.h"
#include "editing/Modul.h"
#include "editing/MonthTotals.h"
#include "storage/DatevExport.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
const QDateTime Created(QDate(2026, 4, 1), QTime(10, 15, 30, 123));

DatevSettings adviser()
{
    DatevSettings s = DatevSettings::defaults();
    s.beraternummer = QStringLiteral("29098");
    s.mandantennummer = QStringLiteral("55003");
    return s;
}

// A recalculated month: the carry-over balance, one entry row per list
// (income columns, expense, receipt, date, text), the empty new-entry row.
FlexGridStore monthOf(const QString &carryOver, const QList<QStringList> &entries)
{
    FlexGridStore sheet = Fixtures::startupSheet();
    sheet.setRows(modul::FirstEntryRow + static_cast<int>(entries.size()) + 1);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, carryOver);
    for (int i = 0; i < entries.size(); ++i) {
        const QStringList &e = entries[i];
        Fixtures::setRow(sheet, modul::FirstEntryRow + i,
                         {e[0], e[1], e[2], e[3], {}, {}, e.value(4), e.value(5), e.value(6)});
    }
    modul::BestandBerechnen(sheet);
    return sheet;
}

// The stored reference month: every rate, an expense, both sides of a
// storno, a receipt with characters DATEV refuses, "€", umlauts, quotes
// and a text longer than 60 characters with a line break.
FlexGridStore referenceMonth()
{
    return monthOf(QStringLiteral("250,00"),
                   {{QStringLiteral("1.190,00"),
                     {},
                     {},
                     {},
                     QStringLiteral("R-17/3 a#ü"),
                     QStringLiteral("02.03.2026"),
                     QStringLiteral("Tageseinnahme")},
                    {{},
                     QStringLiteral("53,50"),
                     {},
                     {},
                     QStringLiteral("41"),
                     QStringLiteral("3.3.26"),
                     QStringLiteral("Tageseinnahme Speisen")},
                    {{}, {}, QStringLiteral("20,00"), {}, {}, QStringLiteral("04.03."), QStringLiteral("Gutschein")},
                    {{},
                     {},
                     {},
                     QStringLiteral("17,85"),
                     {},
                     QStringLiteral("05.03.2026"),
                     QStringLiteral("Kaffee für \"Büro\", 5 € Rabatt")},
                    {QStringLiteral("10,00"),
                     {},
                     {},
                     QStringLiteral("2,00"),
                     {},
                     QStringLiteral("06.03.2026"),
                     QStringLiteral("Wechselgeld")},
                    {QStringLiteral("-11,90"),
                     {},
                     {},
                     {},
                     {},
                     QStringLiteral("31.03.2026"),
                     QStringLiteral("Storno Tageseinnahme")},
                    {{},
                     {},
                     {},
                     QStringLiteral("-2,50"),
                     {},
                     QStringLiteral("31.03.2026"),
                     QStringLiteral("Storno Porto\r\nfür den Rückversand der Warensendung an Firma Müller & Söhne")}});
}

DatevExport::Result exportMonth(const FlexGridStore &sheet, const DatevSettings &settings = adviser())
{
    return DatevExport::write(settings, DatevExport::monthPeriod(2026, 3), {{&sheet, 2026, 3}}, Created);
}

QList<ExtfChecker::Line> bookings(const QByteArray &bytes)
{
    return ExtfChecker::parse(bytes).mid(2);
}
} // namespace

class TestDatevExport : public QObject
{
    Q_OBJECT
private slots:
    void referenceFile()
    {
        const DatevExport::Result result = exportMonth(referenceMonth());
        QVERIFY2(result.ok(), qPrintable(result.refusal));
        QFile reference(testDataPath(QStringLiteral("datev/EXTF_Buchungsstapel_2026-03.csv")));
        QVERIFY(reference.open(QIODevice::ReadOnly));
        QCOMPARE(result.bytes, reference.readAll());
        QCOMPARE(bookings(result.bytes)[3][13].text, QStringLiteral("Kaffee für \"Büro\", 5 € Rabatt"));
    }

    void filesKeepTheFormatRules_data()
    {
        QTest::addColumn<QStringList>("values"); // the settings' values, over the adviser's
        QTest::newRow("SKR03, four digits") << QStringList{};
        QTest::newRow("SKR04, five digits, no tax key") << QStringList{QStringLiteral("29098"), QStringLiteral("1"),
                                                                       QStringLiteral("SKR04"), QStringLiteral("5"),
                                                                       QStringLiteral("16000"), QStringLiteral("44000"),
                                                                       QStringLiteral("43000"), QStringLiteral("42000"),
                                                                       QStringLiteral("68150"), QString()};
    }
    void filesKeepTheFormatRules()
    {
        QFETCH(QStringList, values);
        const DatevSettings s = values.isEmpty() ? adviser() : DatevSettings::fromValues(values);
        const DatevExport::Result result = exportMonth(referenceMonth(), s);
        QVERIFY2(result.ok(), qPrintable(result.refusal));
        QCOMPARE(ExtfChecker::findings(result.bytes), QStringList());
    }

    // The checker must see what it checks: one fault planted per row.
    void checkerFindsPlantedFaults_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("finding");
        QTest::newRow("grouping in an amount")
            << QByteArray("1190,00;") << QByteArray("1.190,00;") << QStringLiteral("Zeile 3, Feld 1: Umsatz");
        QTest::newRow("a day past the month")
            << QByteArray(";0203;") << QByteArray(";3203;") << QStringLiteral("Zeile 3, Feld 10: Belegdatum");
        QTest::newRow("a tax key on an automatic account")
            << QByteArray(";8400;\"\";0203") << QByteArray(";8400;\"9\";0203")
            << QStringLiteral("Zeile 3, Feld 9: BU auf Automatikkonto");
    }
    void checkerFindsPlantedFaults()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, finding);
        QByteArray bytes = exportMonth(referenceMonth()).bytes;
        QVERIFY(bytes.contains(from));
        bytes.replace(bytes.indexOf(from), from.size(), to);
        QVERIFY2(ExtfChecker::findings(bytes).contains(finding), qPrintable(ExtfChecker::findings(bytes).join(u'\n')));
    }

    // On the cash account, S minus H is what the month added to the till.
    void cashBookingsAddUpToTheBalance()
    {
        QRandomGenerator random(2026);
        for (int round = 0; round < 200; ++round) {
            QList<QStringList> entries;
            const int rows = static_cast<int>(random.bounded(1, 40));
            for (int i = 0; i < rows; ++i) {
                QStringList row(7);
                row[static_cast<int>(random.bounded(4))] =
                    German::formatCents(static_cast<qint64>(random.bounded(1, 2000000)) - 5000);
                if (random.bounded(4) == 0)
                    row[3] = German::formatCents(static_cast<qint64>(random.bounded(1, 90000)));
                row[5] = QStringLiteral("%1.03.2026").arg(random.bounded(1, 32));
                entries << row;
            }
            const FlexGridStore sheet = monthOf(German::formatCents(random.bounded(0, 100000)), entries);
            const DatevExport::Result result = exportMonth(sheet);
            QVERIFY2(result.ok(), qPrintable(result.refusal));
            qint64 cash = 0;
            for (const ExtfChecker::Line &b : bookings(result.bytes)) {
                QCOMPARE(b[6].text, QStringLiteral("1000"));
                cash += (b[1].text == QStringLiteral("S") ? 1 : -1) * modul::centsOf(b[0].text);
            }
            const modul::MonthTotals totals = modul::MonthTotals::of(sheet);
            QCOMPARE(cash, totals.closingBalance.value_or(0) - totals.carryOver);
        }
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("setting"); // index of a value emptied, -1 for none
        QTest::addColumn<QString>("message");
        const QString ok = QStringLiteral("05.03.2026");
        QTest::newRow("a row without a date") << QString() << -1 << QStringLiteral("Zeile 4: Das Datum fehlt.");
        QTest::newRow("no such day") << QStringLiteral("31.02.2026") << -1
                                     << QStringLiteral("Zeile 4: „31.02.2026“ ist kein gültiges Datum.");
        QTest::newRow("a date outside the month")
            << QStringLiteral("1.4.") << -1
            << QStringLiteral("Zeile 4: Das Datum 01.04.2026 liegt nicht im Monat 03/2026.");
        QTest::newRow("no client number")
            << ok << 1
            << QStringLiteral("Für den DATEV-Export müssen Beraternummer und Mandantennummer eingetragen sein.");
        QTest::newRow("no cash account") << ok << 4 << QStringLiteral("Kasse: eine Kontonummer aus 4 Ziffern");
    }
    void refusals()
    {
        QFETCH(QString, date);
        QFETCH(int, setting);
        QFETCH(QString, message);
        QStringList values = adviser().values();
        if (setting >= 0)
            values[setting].clear();
        const FlexGridStore sheet = monthOf({}, {{QStringLiteral("1,00"), {}, {}, {}, {}, QStringLiteral("02.03.2026")},
                                                 {{}, {}, {}, QStringLiteral("2,00"), {}, date}});
        const DatevExport::Result result = exportMonth(sheet, DatevSettings::fromValues(values));
        QVERIFY(result.bytes.isEmpty());
        QVERIFY2(result.refusal.contains(message), qPrintable(result.refusal));
    }

    void aYearNamesTheMonthOfARow()
    {
        const FlexGridStore january = monthOf({}, {{QStringLiteral("1,00"), {}, {}, {}, {}, QStringLiteral("31.1.")}});
        const FlexGridStore march = referenceMonth();
        const DatevExport::Result year = DatevExport::write(adviser(), DatevExport::yearPeriod(2026),
                                                            {{&january, 2026, 1}, {&march, 2026, 3}}, Created);
        QCOMPARE(ExtfChecker::findings(year.bytes), QStringList());
        const ExtfChecker::Line header = ExtfChecker::parse(year.bytes).first();
        QCOMPARE(header[15].text, QStringLiteral("20261231"));
        QCOMPARE(bookings(year.bytes).size(), 1 + bookings(exportMonth(march).bytes).size());
        const DatevExport::Result refused = DatevExport::write(adviser(), DatevExport::yearPeriod(2026),
                                                               {{&january, 2026, 1}, {&january, 2026, 3}}, Created);
        QVERIFY2(refused.refusal.contains(QStringLiteral("2026-03, Zeile 3: Das Datum 31.01.2026 liegt nicht")),
                 qPrintable(refused.refusal));
    }
};

QTEST_GUILESS_MAIN(TestDatevExport)
#include "TestDatevExport.moc"
