#include "storage/MonthPath.h"

#include <QtTest>

class TestMonthPath : public QObject
{
    Q_OBJECT
private slots:
    void paths_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        const QString inFolder = QStringLiteral(" Die Monatsdatei muss in ihrem Jahresordner liegen.");
        QTest::newRow("selectors 2021 and 03") << "2021"
                                               << "03"
                                               << "/p/2021/2021-03.mdb"
                                               << "";
        QTest::newRow("a year after 2030") << "2031"
                                           << "12"
                                           << "/p/2031/2031-12.mdb"
                                           << "";
        QTest::newRow("any typed text without separators") << "Kasse 2"
                                                           << "Mai"
                                                           << "/p/Kasse 2/Kasse 2-Mai.mdb"
                                                           << "";
        QTest::newRow("dots inside a name stay inside the folder") << "2021..1"
                                                                   << ".."
                                                                   << "/p/2021..1/2021..1-...mdb"
                                                                   << "";
        QTest::newRow("empty year") << ""
                                    << "03"
                                    << "/p//-03.mdb"
                                    << "Die Jahresangabe ist leer. Bitte auswählen oder eintippen.";
        QTest::newRow("empty month") << "2021"
                                     << ""
                                     << "/p/2021/2021-.mdb"
                                     << "Die Monatsangabe ist leer. Bitte auswählen oder eintippen.";
        QTest::newRow("slash in the year")
            << "../x"
            << "03"
            << "/p/../x/../x-03.mdb"
            << QStringLiteral("Die Jahresangabe „../x“ darf kein „/“, kein „\\“ und kein Steuerzeichen enthalten.")
                   + inFolder;
        QTest::newRow("slash in the month")
            << "2021"
            << "03/../../x"
            << "/p/2021/2021-03/../../x.mdb"
            << QStringLiteral(
                   "Die Monatsangabe „03/../../x“ darf kein „/“, kein „\\“ und kein Steuerzeichen enthalten.")
                   + inFolder;
        QTest::newRow("backslash in the month")
            << "2021"
            << "0\\3"
            << "/p/2021/2021-0\\3.mdb"
            << QStringLiteral("Die Monatsangabe „0\\3“ darf kein „/“, kein „\\“ und kein Steuerzeichen enthalten.")
                   + inFolder;
        QTest::newRow("year ..") << ".."
                                 << "03"
                                 << "/p/../..-03.mdb"
                                 << QStringLiteral("Die Jahresangabe „..“ verweist auf einen anderen Ordner.")
                                        + inFolder;
        QTest::newRow("year .") << "."
                                << "03"
                                << "/p/./.-03.mdb"
                                << QStringLiteral("Die Jahresangabe „.“ verweist auf einen anderen Ordner.") + inFolder;
        QTest::newRow("line break in the month")
            << "2021"
            << "0\n3"
            << "/p/2021/2021-0\n3.mdb"
            << QStringLiteral("Die Monatsangabe „0\n3“ darf kein „/“, kein „\\“ und kein Steuerzeichen enthalten.")
                   + inFolder;
    }
    void paths()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, path);
        QFETCH(QString, problem);
        const MonthPath result = monthFilePath(QStringLiteral("/p"), year, month);
        QCOMPARE(result.path, path);
        QCOMPARE(result.problem, problem);
        QCOMPARE(result.ok(), problem.isEmpty());
    }

    void replaceQuestionWordForWord()
    {
        QCOMPARE(replaceQuestion(QStringLiteral("2021"), QStringLiteral("03")),
                 QStringLiteral("Die Datei \r\n\r\n2021-03.mdb\r\n\r\nexistiert bereits.\r\n\r\n"
                                "Soll durch die aktuelle Datei ersetzt werden ?"));
    }

    void selectorsFromFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::newRow("a month file") << "2021-03.mdb"
                                      << "03"
                                      << "2021";
        QTest::newRow("upper-case extension") << "2021-03.MDB"
                                              << "03"
                                              << "2021";
        QTest::newRow("mixed-case extension") << "2021-03.Mdb"
                                              << "03"
                                              << "2021";
        QTest::newRow(".mdb in the middle goes too") << "ab.mdb.mdb"
                                                     << "AB"
                                                     << "AB";
        QTest::newRow("shorter than four characters") << "abc.mdb"
                                                      << "BC"
                                                      << "ABC";
        QTest::newRow("one character") << "x.mdb"
                                       << "X"
                                       << "X";
        QTest::newRow("nothing selected") << ""
                                          << ""
                                          << "";
        QTest::newRow("no month file name") << "kasse-alt.mdb"
                                            << "LT"
                                            << "KASS";
    }
    void selectorsFromFileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, month);
        QFETCH(QString, year);
        const MonthYear result = monthYearFromFileName(name);
        QCOMPARE(result.month, month);
        QCOMPARE(result.year, year);
    }
};

QTEST_GUILESS_MAIN(TestMonthPath)
#include "TestMonthPath.moc"
