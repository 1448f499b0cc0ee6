#include "ExtfChecker.h"
#include "StorageFixtures.h"
#include "TestSupport.h"

#include "editing/Modul.h"
#include "storage/DatevExport.h"

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
// split at "|": the income columns, expense, receipt, date, text.
FlexGridStore monthOf(const QString &carryOver, const QStringList &rows)
{
    FlexGridStore sheet = Fixtures::startupSheet();
    sheet.setRows(modul::FirstEntryRow + static_cast<int>(rows.size()) + 1);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, carryOver);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList e = rows[i].split(u'|');
        Fixtures::setRow(sheet, modul::FirstEntryRow + i,
                         {e[0], e[1], e[2], e[3], {}, {}, e.value(4), e.value(5), e.value(6)});
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
} // namespace

class TestDatevExport : public QObject
{
    Q_OBJECT
private slots:
    void referenceFile()
    {
        const DatevExport::Result result = exportMonth(referenceMonth());
        QFile reference(testDataPath(QStringLiteral("datev/EXTF_Buchungsstapel_2026-03.csv")));
        QVERIFY(reference.open(QIODevice::ReadOnly));
        QCOMPARE(result.bytes, reference.readAll());
        QCOMPARE(ExtfChecker::parse(result.bytes)[5][13], QStringLiteral("Kaffee für \"Büro\", 5 € Rabatt"));
    }

    // Each file keeps the format's rules; a fault planted in one is found.
    void formatRules_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("finding"); // empty: none
        textRow("SKR03", "", "", "", "");
        textRow("SKR04, five digits, no tax key", "29098|1|SKR04|5|16000|44000|43000|42000|68150|", "", "", "");
        textRow("grouping in an amount", "", "1190,00;", "1.190,00;", "Zeile 3, Feld 1: Umsatz");
        textRow("a day past the month", "", ";0203;", ";3203;", "Zeile 3, Feld 10: Belegdatum");
        textRow("a tax key on an automatic account", "", ";8400;\"\";0203", ";8400;\"9\";0203",
                "Zeile 3, Feld 9: BU auf Automatikkonto");
        textRow("an unquoted text", "", "\"Gutschein\"", "Gutschein", "Zeile 5, Feld 14: Buchungstext");
    }
    void formatRules()
    {
        QFETCH(QString, settings);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, finding);
        QByteArray bytes = exportMonth(referenceMonth(), adviser(settings)).bytes;
        QVERIFY(bytes.contains(from.toLatin1()));
        bytes.replace(bytes.indexOf(from.toLatin1()), from.size(), to.toLatin1());
        const QStringList found = ExtfChecker::findings(bytes);
        QVERIFY2(finding.isEmpty() ? found.isEmpty() : found.contains(finding), qPrintable(found.join(u'\n')));
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

    void aYearTakesEachRowInItsMonth()
    {
        const FlexGridStore january = monthOf({}, {QStringLiteral("1,00|||||31.1.")});
        const FlexGridStore march = referenceMonth();
        const DatevExport::Result year = DatevExport::write(adviser(), DatevExport::yearPeriod(2026),
                                                            {{&january, 2026, 1}, {&march, 2026, 3}}, Created);
        QCOMPARE(ExtfChecker::findings(year.bytes), QStringList());
        QCOMPARE(ExtfChecker::parse(year.bytes).size(), ExtfChecker::parse(exportMonth(march).bytes).size() + 1);
        const DatevExport::Result refused = DatevExport::write(adviser(), DatevExport::yearPeriod(2026),
                                                               {{&january, 2026, 1}, {&january, 2026, 3}}, Created);
        QVERIFY2(refused.refusal.contains(QStringLiteral("2026-03, Zeile 3: Das Datum 31.01.2026 liegt nicht")),
                 qPrintable(refused.refusal));
    }
};

QTEST_GUILESS_MAIN(TestDatevExport)
#include "TestDatevExport.moc"
