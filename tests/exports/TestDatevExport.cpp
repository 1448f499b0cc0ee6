#include "StorageFixtures.h"
#include "TestSupport.h"

#include "editing/Modul.h"
#include "exports/DatevExport.h"

#include <QtTest>

namespace {
const QDateTime Created(QDate(2026, 4, 1), QTime(10, 15, 30, 123));

// The settings' values split at "|"; empty: the defaults with an adviser's numbers.
DatevSettings adviser(const QString &values = {})
{
    return DatevSettings::fromValues(
        (values.isEmpty() ? QStringLiteral("29098|55003|SKR03|4|1000|8400|8300|8200|4980|9") : values).split(u'|'));
}

// A recalculated March: the carry-over, then one entry per row, its cells
// split at "|": the income columns, expense, receipt, date, text, Konto.
FlexGridStore monthOf(const QString &carryOver, const QStringList &rows)
{
    FlexGridStore sheet = Fixtures::startupSheet();
    sheet.setRows(modul::FirstEntryRow + static_cast<int>(rows.size()) + 1);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, carryOver);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList e = rows[i].split(u'|');
        Fixtures::setRow(sheet, modul::FirstEntryRow + i,
                         {e[0], e[1], e[2], e[3], {}, e.value(7), e.value(4), e.value(5), e.value(6)});
    }
    modul::BestandBerechnen(sheet);
    return sheet;
}

// Every rate, an expense, both sides of a storno, a receipt with
// characters DATEV refuses, "€", umlauts, quotes and a long two-line text.
FlexGridStore referenceMonth()
{
    return monthOf(QStringLiteral("250,00"),
                   {QStringLiteral("1.190,00||||R-17/3 a#ü|02.03.2026|Tageseinnahme"),
                    QStringLiteral("|53,50|||41|3.3.26|Tageseinnahme Speisen"),
                    QStringLiteral("||20,00|||04.03.|Gutschein"),
                    QStringLiteral("|||17,85||05.03.2026|Kaffee für \"Büro\", 5 € Rabatt"),
                    QStringLiteral("10,00|||2,00||06.03.2026|Wechselgeld"),
                    QStringLiteral("-11,90|||||31.03.2026|Storno Tageseinnahme"),
                    QStringLiteral("|||-2,50||31.03.2026|Storno Porto\r\nfür den Rückversand der Warensendung an "
                                   "Firma Müller & Söhne")});
}

DatevExport::Result exportMonth(const FlexGridStore &sheet, const DatevSettings &settings = adviser())
{
    return DatevExport::write(settings, DatevExport::monthPeriod(2026, 3), {{&sheet, 2026, 3}}, Created);
}

// The file's lines without their CRLF; the first is the header.
QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    for (QByteArray &line : lines)
        line.chop(1);
    return lines;
}
} // namespace

class TestDatevExport : public QObject
{
    Q_OBJECT
private slots:
    // The reference file was checked field by field against the format
    // description; any change of a byte needs that check again.
    void referenceFile()
    {
        const DatevExport::Result result = exportMonth(referenceMonth());
        QFile reference(testDataPath(QStringLiteral("datev/EXTF_Buchungsstapel_2026-03.csv")));
        QVERIFY(reference.open(QIODevice::ReadOnly));
        QCOMPARE(result.bytes, reference.readAll());
    }

    // SKR04 with five-digit accounts and no expense tax key: the header names
    // the chart and the length, the accounts are padded, BU stays empty. The
    // settings are of the first layout: their cash-difference accounts follow
    // the chart and the length.
    void otherChartAndAccountLength()
    {
        const QList<QByteArray> lines = linesOf(
            exportMonth(referenceMonth(), adviser(QStringLiteral("29098|1|SKR04|5|16000|44000|43000|42000|68150|")))
                .bytes);
        QVERIFY(lines.size() > 6);
        const QList<QByteArray> header = lines[0].split(';');
        QCOMPARE(header.mid(10, 4).join(';'), QByteArray("29098;1;20260101;5"));
        QCOMPARE(header.value(26), QByteArray("\"04\""));
        QVERIFY2(lines[2].startsWith("1190,00;\"S\";\"EUR\";;;;16000;44000;\"\";0203;"), lines[2].constData());
        QVERIFY2(lines[5].startsWith("17,85;\"H\";\"EUR\";;;;16000;68150;\"\";0503;"), lines[5].constData());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");
        textRow("no date", "", "Zeile 4: Das Datum fehlt.");
        textRow("no such day", "31.02.2026", "Zeile 4: „31.02.2026“ ist kein gültiges Datum.");
        textRow("the next month's first", "1.4.", "Das Datum 01.04.2026 liegt nicht im Monat 03/2026.");
        textRow("the last month's last", "28.2.", "Das Datum 28.02.2026 liegt nicht im Monat 03/2026.");
    }
    void refusals()
    {
        QFETCH(QString, date);
        QFETCH(QString, message);
        const DatevExport::Result result =
            exportMonth(monthOf({}, {QStringLiteral("1,00|||||31.03.2026"), QStringLiteral("|||2,00||") + date}));
        QVERIFY(result.bytes.isEmpty());
        QVERIFY2(result.refusal.contains(message), qPrintable(result.refusal));
    }

    // A row's Konto is its counter-account, without tax key; an empty one or
    // free text leaves the settings' accounts; digits of another length are
    // refused by their row.
    void aRowsKontoIsItsCounterAccount_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("booked"); // the line's start, or the refusal
        textRow("a private withdrawal", "|||50,00||31.03.2026|Privatentnahme|1800",
                "50,00;\"H\";\"EUR\";;;;1000;1800;\"\";3103;");
        textRow("a bank deposit from the till", "-20,00||||41|31.03.2026|Bank|1360",
                "20,00;\"H\";\"EUR\";;;;1000;1360;\"\";3103;");
        textRow("a surplus at 0 %", "||0,05|||31.03.2026|Kassendifferenz|2709",
                "0,05;\"S\";\"EUR\";;;;1000;2709;\"\";3103;");
        textRow("no Konto", "|||50,00||31.03.2026|Porto|", "50,00;\"H\";\"EUR\";;;;1000;4980;\"9\";3103;");
        textRow("an account too short", "|||50,00||31.03.2026|Porto|180",
                "Zeile 3: Das Konto „180“ ist keine Kontonummer aus 4 Ziffern.");
        textRow("an account too long", "|||50,00||31.03.2026|Porto|18000",
                "Zeile 3: Das Konto „18000“ ist keine Kontonummer aus 4 Ziffern.");
        textRow("an older file's free text", "|||50,00||31.03.2026|Porto|Bank 1",
                "50,00;\"H\";\"EUR\";;;;1000;4980;\"9\";3103;");
        textRow("a leading blank", "5,00||||41|31.03.2026|Verkauf| 1800", "5,00;\"S\";\"EUR\";;;;1000;1800;\"\";3103;");
    }
    void aRowsKontoIsItsCounterAccount()
    {
        QFETCH(QString, row);
        QFETCH(QString, booked);
        const DatevExport::Result result = exportMonth(monthOf(QStringLiteral("100,00"), {row}));
        if (booked.startsWith(QStringLiteral("Zeile"))) {
            QVERIFY(result.bytes.isEmpty());
            QVERIFY2(result.refusal.contains(booked), qPrintable(result.refusal));
            return;
        }
        const QList<QByteArray> lines = linesOf(result.bytes);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[2].startsWith(booked.toUtf8()), lines[2].constData());
    }

    void aYearTakesEachRowInItsMonth()
    {
        const FlexGridStore january = monthOf({}, {QStringLiteral("1,00|||||31.1.")});
        const FlexGridStore march = referenceMonth();
        const DatevExport::Result year = DatevExport::write(adviser(), DatevExport::yearPeriod(2026),
                                                            {{&january, 2026, 1}, {&march, 2026, 3}}, Created);
        // The month's file with the year's span and label, and January's booking before March's.
        QList<QByteArray> expected = linesOf(exportMonth(march).bytes);
        expected[0].replace(";20260301;20260331;\"Kassenbuch 2026-03\";", ";20260101;20261231;\"Kassenbuch 2026\";");
        expected.insert(2, "1,00;\"S\";\"EUR\";;;;1000;8400;\"\";3101;\"\";;;\"\"" + QByteArray(111, ';'));
        QCOMPARE(linesOf(year.bytes), expected);
        const DatevExport::Result refused = DatevExport::write(adviser(), DatevExport::yearPeriod(2026),
                                                               {{&january, 2026, 1}, {&january, 2026, 3}}, Created);
        QVERIFY2(refused.refusal.contains(QStringLiteral("2026-03, Zeile 3: Das Datum 31.01.2026 liegt nicht")),
                 qPrintable(refused.refusal));
    }
};

QTEST_GUILESS_MAIN(TestDatevExport)
#include "TestDatevExport.moc"
