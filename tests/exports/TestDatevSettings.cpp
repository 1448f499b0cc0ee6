#include "TestSupport.h"

#include "exports/DatevSettings.h"

#include <QtTest>

class TestDatevSettings : public QObject
{
    Q_OBJECT
private slots:
    void problems_data()
    {
        QTest::addColumn<int>("index"); // in the file's order
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("problem"); // empty: none
        const auto row = [](const char *name, int index, const char *value, const char *problem) {
            QTest::newRow(name) << index << QString::fromUtf8(value) << QString::fromUtf8(problem);
        };
        row("the defaults", 0, "", "");
        row("an adviser too small", 0, "1000", "Beraternummer: eine Zahl von 1001 bis 9999999");
        row("another chart", 2, "SKR49", "Kontenrahmen: SKR03 oder SKR04");
        row("three-digit accounts", 3, "3", "Sachkontenlänge: eine Zahl von 4 bis 8");
        row("a longer length than the accounts", 3, "5", "Kasse: eine Kontonummer aus 5 Ziffern");
        row("a revenue account too short", 6, "830", "Erlöskonto 2: eine Kontonummer aus 4 Ziffern");
        row("a tax key too long", 9, "12345", "BU-Schlüssel: leer oder bis zu 4 Ziffern");
        row("a shortage account too long", 10, "23090", "Kassenfehlbetrag: eine Kontonummer aus 4 Ziffern");
    }
    void problems()
    {
        QFETCH(int, index);
        QFETCH(QString, value);
        QFETCH(QString, problem);
        QStringList values = DatevSettings::defaults().values();
        values[index] = value;
        QCOMPARE(DatevSettings::fromValues(values).problems().value(0), problem);
    }

    // A chart brings its usual accounts in the books' length; the adviser's
    // numbers and the tax key stay.
    void aChartBringsItsAccounts_data()
    {
        QTest::addColumn<QString>("settings"); // values split at "|"
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("values");
        QTest::newRow("SKR04") << "29098|55003|SKR03|4|1000|8400|8300|8200|4980|8|2309|2709" << "SKR04"
                               << "29098|55003|SKR04|4|1600|4400|4300|4200|6850|8|6969|4839";
        QTest::newRow("SKR04 with six digits") << "29098|55003|SKR03|6|100000|840000|830000|820000|498000|9|230900|270900"
                                               << "SKR04" << "29098|55003|SKR04|6|160000|440000|430000|420000|685000|9|696900|483900";
        QTest::newRow("back to SKR03") << "29098|2|SKR04|4|1600|4400|4300|4200|6850|9|6969|4839" << "SKR03"
                                       << "29098|2|SKR03|4|1000|8400|8300|8200|4980|9|2309|2709";
    }
    void aChartBringsItsAccounts()
    {
        QFETCH(QString, settings);
        QFETCH(QString, chart);
        QFETCH(QString, values);
        const DatevSettings s = DatevSettings::fromValues(settings.split(u'|')).withChart(chart);
        QCOMPARE(s.values().join(u'|'), values);
        QVERIFY(s.problems().isEmpty());
    }

    // The export needs both numbers, which the settings may leave empty.
    void exportNeedsBothNumbers()
    {
        DatevSettings s = DatevSettings::fromValues({QStringLiteral("29098")});
        QVERIFY(s.exportProblem().contains(QStringLiteral("Beraternummer und Mandantennummer eingetragen sein")));
        s.mandantennummer = QStringLiteral("1");
        QCOMPARE(s.exportProblem(), QString());
    }

    // No file gives the defaults; an empty tax key is kept as "" and read
    // back. The window's test holds the rest of the file.
    void storedAndReadBack()
    {
        ProgramFolder folder;
        const DatevSettingsFile file(folder.path());
        QString message;
        QCOMPARE(file.load(&message).values(), DatevSettings::defaults().values());
        QVERIFY(message.isEmpty());
        DatevSettings s = DatevSettings::defaults();
        s.buSchluessel.clear();
        QCOMPARE(file.save(s), QString());
        QVERIFY(folder.read(QStringLiteral("datev.dat")).endsWith("\r\n4980\r\n\"\"\r\n2309\r\n2709\r\n"));
        QCOMPARE(file.load().values(), s.values());
    }

    // A file from before the cash-difference accounts lacks nothing: they
    // take its chart's usual accounts without a word. A shorter file is reported.
    void anOlderFileReadsWithTheNewDefaults_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("reported");
        QTest::newRow("the first layout") << 10 << false;
        QTest::newRow("a file cut short") << 9 << true;
    }
    void anOlderFileReadsWithTheNewDefaults()
    {
        QFETCH(int, lines);
        QFETCH(bool, reported);
        ProgramFolder folder;
        folder.write(QStringLiteral("datev.dat"),
                     QByteArray("29098\r\n55003\r\nSKR04\r\n4\r\n1600\r\n4400\r\n4300\r\n4200\r\n6300\r\n9\r\n")
                         .split('\n')
                         .mid(0, lines)
                         .join('\n'));
        QString message;
        const DatevSettings s = DatevSettingsFile(folder.path()).load(&message);
        QCOMPARE(s.kontenrahmen, QStringLiteral("SKR04"));
        QCOMPARE(QStringList({s.kassenfehlbetrag, s.kassenueberschuss}),
                 QStringList({QStringLiteral("6969"), QStringLiteral("4839")}));
        QCOMPARE(!message.isEmpty(), reported);
    }
};

QTEST_GUILESS_MAIN(TestDatevSettings)
#include "TestDatevSettings.moc"
