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

// A recalculated month: the carry-over balance, then one entry row per list
// (columns 0 onwards), then the empty new-entry row.
FlexGridStore monthOf(const QString &carryOver, const QList<QStringList> &entries)
{
    FlexGridStore sheet = Fixtures::startupSheet();
    sheet.setRows(modul::FirstEntryRow + static_cast<int>(entries.size()) + 1);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, carryOver);
    for (int i = 0; i < entries.size(); ++i)
        Fixtures::setRow(sheet, modul::FirstEntryRow + i, entries[i]);
    modul::BestandBerechnen(sheet);
    return sheet;
}

QStringList entry(const QString &col0, const QString &col1, const QString &col2, const QString &expense,
                  const QString &receipt, const QString &date, const QString &text)
{
    return {col0, col1, col2, expense, QString(), QString(), receipt, date, text};
}

// The small month of the stored reference file.
FlexGridStore referenceMonth()
{
    return monthOf(
        QStringLiteral("250,00"),
        {entry(QStringLiteral("1.190,00"), {}, {}, {}, QStringLiteral("41"), QStringLiteral("02.03.2026"),
               QStringLiteral("Tageseinnahme")),
         entry({}, QStringLiteral("53,50"), {}, {}, {}, QStringLiteral("3.3.26"),
               QStringLiteral("Tageseinnahme Speisen")),
         entry({}, {}, QStringLiteral("20,00"), {}, {}, QStringLiteral("04.03."), QStringLiteral("Gutschein")),
         entry({}, {}, {}, QStringLiteral("17,85"), {}, QStringLiteral("05.03.2026"),
               QStringLiteral("Kaffee für \"Büro\", 5 € Rabatt")),
         entry(QStringLiteral("-11,90"), {}, {}, {}, {}, QStringLiteral("31.03.2026"),
               QStringLiteral("Storno Tageseinnahme"))});
}

DatevExport::Result exportMonth(const FlexGridStore &sheet, const DatevSettings &settings = adviser())
{
    return DatevExport::write(settings, DatevExport::monthPeriod(2026, 3), {{&sheet, 2026, 3}}, Created);
}

QList<ExtfChecker::Line> bookings(const QByteArray &bytes)
{
    return ExtfChecker::parse(bytes).mid(2);
}

// Konto, S/H, Umsatz, Gegenkonto, BU, Belegdatum, Belegfeld 1, Buchungstext.
QString summary(const ExtfChecker::Line &b)
{
    return QStringList{b[6].text, b[1].text, b[0].text, b[7].text, b[8].text, b[9].text, b[10].text, b[13].text}.join(
        u'|');
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
    }

    void bookingsOfARow_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QStringList>("expected");
        const QString d = QStringLiteral("09.03.2026");
        QTest::newRow("income at the first rate")
            << entry(QStringLiteral("12,34"), {}, {}, {}, QStringLiteral("7"), d, QStringLiteral("Kasse"))
            << QStringList{QStringLiteral("1000|S|12,34|8400||0903|7|Kasse")};
        QTest::newRow("income at the second rate") << entry({}, QStringLiteral("1.000,00"), {}, {}, {}, d, {})
                                                   << QStringList{QStringLiteral("1000|S|1000,00|8300||0903||")};
        QTest::newRow("income at the third rate") << entry({}, {}, QStringLiteral("0,01"), {}, {}, d, {})
                                                  << QStringList{QStringLiteral("1000|S|0,01|8200||0903||")};
        QTest::newRow("an expense has the tax key") << entry({}, {}, {}, QStringLiteral("5,00"), {}, d, {})
                                                    << QStringList{QStringLiteral("1000|H|5,00|4980|9|0903||")};
        QTest::newRow("a negative income books H") << entry(QStringLiteral("-5,00"), {}, {}, {}, {}, d, {})
                                                   << QStringList{QStringLiteral("1000|H|5,00|8400||0903||")};
        QTest::newRow("a negative expense books S") << entry({}, {}, {}, QStringLiteral("-5,00"), {}, d, {})
                                                    << QStringList{QStringLiteral("1000|S|5,00|4980|9|0903||")};
        QTest::newRow("income and expense in one row")
            << entry(QStringLiteral("10,00"), {}, {}, QStringLiteral("2,00"), {}, d, QStringLiteral("Wechsel"))
            << QStringList{QStringLiteral("1000|S|10,00|8400||0903||Wechsel"),
                           QStringLiteral("1000|H|2,00|4980|9|0903||Wechsel")};
        QTest::newRow("the receipt keeps DATEV's characters")
            << entry(QStringLiteral("1,00"), {}, {}, {}, QStringLiteral("R-17/3 a#ü"), d, {})
            << QStringList{QStringLiteral("1000|S|1,00|8400||0903|R-17/3a|")};
        QTest::newRow("the text is cut to 60 characters")
            << entry(QStringLiteral("1,00"), {}, {}, {}, {}, d, QString(70, u'x'))
            << QStringList{QStringLiteral("1000|S|1,00|8400||0903||") + QString(60, u'x')};
        QTest::newRow("a line break in the text becomes a blank")
            << entry(QStringLiteral("1,00"), {}, {}, {}, {}, d, QStringLiteral("a\r\nb"))
            << QStringList{QStringLiteral("1000|S|1,00|8400||0903||a  b")};
        QTest::newRow("a row without an amount books nothing")
            << entry({}, {}, {}, {}, QStringLiteral("9"), QString(), QStringLiteral("Notiz")) << QStringList{};
    }
    void bookingsOfARow()
    {
        QFETCH(QStringList, row);
        QFETCH(QStringList, expected);
        // An income row first, so that every month has a booking.
        const FlexGridStore sheet =
            monthOf({}, {entry(QStringLiteral("0,50"), {}, {}, {}, {}, QStringLiteral("01.03."), {}), row});
        const DatevExport::Result result = exportMonth(sheet);
        QVERIFY2(result.ok(), qPrintable(result.refusal));
        QStringList got;
        for (const ExtfChecker::Line &b : bookings(result.bytes))
            got << summary(b);
        QCOMPARE(got.takeFirst(), QStringLiteral("1000|S|0,50|8400||0103||"));
        QCOMPARE(got, expected);
    }

    void filesKeepTheFormatRules_data()
    {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QStringList>("accounts"); // length, cash, three revenues, expense, tax key
        QTest::newRow("SKR03, four digits") << QStringLiteral("SKR03") << QStringList{};
        QTest::newRow("SKR04, five digits, no tax key") << QStringLiteral("SKR04")
                                                        << QStringList{QStringLiteral("5"),
                                                                       QStringLiteral("16000"),
                                                                       QStringLiteral("44000"),
                                                                       QStringLiteral("43000"),
                                                                       QStringLiteral("42000"),
                                                                       QStringLiteral("68150"),
                                                                       QString()};
    }
    void filesKeepTheFormatRules()
    {
        QFETCH(QString, chart);
        QFETCH(QStringList, accounts);
        DatevSettings s = adviser();
        s.kontenrahmen = chart;
        if (!accounts.isEmpty()) {
            s.sachkontenlaenge = accounts[0];
            s.kasse = accounts[1];
            s.erloeskonten = {accounts[2], accounts[3], accounts[4]};
            s.aufwandskonto = accounts[5];
            s.buSchluessel = accounts[6];
        }
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
        QTest::newRow("a blank in Belegfeld 1")
            << QByteArray("\"41\"") << QByteArray("\"4 1\"") << QStringLiteral("Zeile 3, Feld 11: Belegfeld 1");
        QTest::newRow("a tax key on an automatic account")
            << QByteArray(";8400;\"\";0203") << QByteArray(";8400;\"9\";0203")
            << QStringLiteral("Zeile 3, Feld 9: BU auf Automatikkonto");
        QTest::newRow("an old format version")
            << QByteArray("\"Buchungsstapel\";13;") << QByteArray("\"Buchungsstapel\";12;")
            << QStringLiteral("Zeile 1, Feld 5: Formatversion");
        QTest::newRow("a field too few") << QByteArray(";8400;\"\";0203;") << QByteArray(";8400;0203;")
                                         << QStringLiteral("Zeile 3, Feld 0: 124 Felder statt 125");
    }
    void checkerFindsPlantedFaults()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, finding);
        QByteArray bytes = exportMonth(referenceMonth()).bytes;
        const qsizetype at = bytes.indexOf(from);
        QVERIFY(at > 0);
        bytes.replace(at, from.size(), to);
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
                QStringList row(9);
                const int column = static_cast<int>(random.bounded(4));
                const qint64 cents = static_cast<qint64>(random.bounded(-5000, 2000000));
                row[column] = German::formatCents(cents == 0 ? 1 : cents);
                if (random.bounded(4) == 0)
                    row[3] = German::formatCents(static_cast<qint64>(random.bounded(1, 90000)));
                row[7] = QStringLiteral("%1.03.2026").arg(random.bounded(1, 32));
                entries << row;
            }
            const FlexGridStore sheet = monthOf(German::formatCents(random.bounded(0, 100000)), entries);
            const DatevExport::Result result = exportMonth(sheet);
            QVERIFY2(result.ok(), qPrintable(result.refusal));
            qint64 cash = 0;
            for (const ExtfChecker::Line &b : bookings(result.bytes)) {
                QCOMPARE(b[6].text, QStringLiteral("1000"));
                const qint64 cents = modul::centsOf(b[0].text);
                cash += b[1].text == QStringLiteral("S") ? cents : -cents;
            }
            const modul::MonthTotals totals = modul::MonthTotals::of(sheet);
            QVERIFY(totals.closingBalance);
            QCOMPARE(cash, *totals.closingBalance - totals.carryOver);
        }
    }

    void textsSurviveInWindows1252()
    {
        const DatevExport::Result result = exportMonth(referenceMonth());
        QVERIFY(result.bytes.contains("\"Kaffee f\xFCr \"\"B\xFCro\"\", 5 \x80 Rabatt\""));
        QCOMPARE(bookings(result.bytes)[3][13].text, QStringLiteral("Kaffee für \"Büro\", 5 € Rabatt"));
        QVERIFY(result.unrepresentable.isEmpty());
        const FlexGridStore sheet = monthOf(
            {}, {entry(QStringLiteral("1,00"), {}, {}, {}, {}, QStringLiteral("1.3."), QStringLiteral("Tee ✓"))});
        const DatevExport::Result marked = exportMonth(sheet);
        QCOMPARE(marked.unrepresentable, QStringList{QStringLiteral("✓")});
        QCOMPARE(bookings(marked.bytes)[0][13].text, QStringLiteral("Tee ?"));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("berater");
        QTest::addColumn<QString>("kasse");
        QTest::addColumn<QString>("message");
        const QString ok = QStringLiteral("05.03.2026");
        QTest::newRow("a row without a date") << QString() << QStringLiteral("29098") << QStringLiteral("1000")
                                              << QStringLiteral("Zeile 4: Das Datum fehlt.");
        QTest::newRow("no such day") << QStringLiteral("31.02.2026") << QStringLiteral("29098")
                                     << QStringLiteral("1000")
                                     << QStringLiteral("Zeile 4: „31.02.2026“ ist kein gültiges Datum.");
        QTest::newRow("a date outside the month")
            << QStringLiteral("1.4.") << QStringLiteral("29098") << QStringLiteral("1000")
            << QStringLiteral("Zeile 4: Das Datum 01.04.2026 liegt nicht im Monat 03/2026.");
        QTest::newRow("the same day a year before")
            << QStringLiteral("05.03.2025") << QStringLiteral("29098") << QStringLiteral("1000")
            << QStringLiteral("Zeile 4: Das Datum 05.03.2025 liegt nicht im Monat 03/2026.");
        QTest::newRow("no adviser number")
            << ok << QString() << QStringLiteral("1000")
            << QStringLiteral("Für den DATEV-Export müssen Beraternummer und Mandantennummer eingetragen sein.");
        QTest::newRow("a cash account too short") << ok << QStringLiteral("29098") << QStringLiteral("100")
                                                  << QStringLiteral("Kasse: eine Kontonummer aus 4 Ziffern");
    }
    void refusals()
    {
        QFETCH(QString, date);
        QFETCH(QString, berater);
        QFETCH(QString, kasse);
        QFETCH(QString, message);
        DatevSettings s = adviser();
        s.beraternummer = berater;
        s.kasse = kasse;
        const FlexGridStore sheet =
            monthOf({}, {entry(QStringLiteral("1,00"), {}, {}, {}, {}, QStringLiteral("02.03.2026"), {}),
                         entry({}, {}, {}, QStringLiteral("2,00"), {}, date, {})});
        const DatevExport::Result result = exportMonth(sheet, s);
        QVERIFY(!result.ok());
        QVERIFY(result.bytes.isEmpty());
        QVERIFY2(result.refusal.contains(message), qPrintable(result.refusal));
    }

    void aMonthWithoutAmountsIsRefused()
    {
        const FlexGridStore sheet =
            monthOf(QStringLiteral("100,00"), {entry({}, {}, {}, {}, {}, {}, QStringLiteral("x"))});
        QCOMPARE(exportMonth(sheet).refusal,
                 QStringLiteral("Es gibt nichts zu exportieren: keine Zeile hat einen Betrag."));
    }

    void aYearNamesTheMonthOfARow()
    {
        const FlexGridStore january =
            monthOf({}, {entry(QStringLiteral("1,00"), {}, {}, {}, {}, QStringLiteral("31.01.2026"), {})});
        const FlexGridStore march = referenceMonth();
        const std::vector<DatevExport::MonthSheet> months{{&january, 2026, 1}, {&march, 2026, 3}};
        const DatevExport::Result year = DatevExport::write(adviser(), DatevExport::yearPeriod(2026), months, Created);
        QVERIFY2(year.ok(), qPrintable(year.refusal));
        QCOMPARE(ExtfChecker::findings(year.bytes), QStringList());
        const ExtfChecker::Line header = ExtfChecker::parse(year.bytes).first();
        QCOMPARE(
            (QStringList{header[14].text, header[15].text, header[16].text}),
            (QStringList{QStringLiteral("20260101"), QStringLiteral("20261231"), QStringLiteral("Kassenbuch 2026")}));
        QCOMPARE(bookings(year.bytes).size(), 1 + 5);

        const FlexGridStore wrong =
            monthOf({}, {entry(QStringLiteral("1,00"), {}, {}, {}, {}, QStringLiteral("1.2.2026"), {})});
        const DatevExport::Result refused = DatevExport::write(adviser(), DatevExport::yearPeriod(2026),
                                                               {{&january, 2026, 1}, {&wrong, 2026, 3}}, Created);
        QVERIFY2(refused.refusal.contains(QStringLiteral("2026-03, Zeile 3: Das Datum 01.02.2026 liegt nicht")),
                 qPrintable(refused.refusal));
    }
};

QTEST_GUILESS_MAIN(TestDatevExport)
#include "TestDatevExport.moc"
