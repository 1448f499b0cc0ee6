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
        const QString noSeparator = QStringLiteral("„%1“ darf kein „/“, kein „\\“ und kein Steuerzeichen enthalten. "
                                                   "Die Monatsdatei muss in ihrem Jahresordner liegen.");
        const QString otherFolder = QStringLiteral("„%1“ verweist auf einen anderen Ordner. "
                                                   "Die Monatsdatei muss in ihrem Jahresordner liegen.");
        const QString month = QStringLiteral("Die Monatsangabe ");
        const QString year = QStringLiteral("Die Jahresangabe ");
        QTest::newRow("selectors") << QStringLiteral("2021") << QStringLiteral("03")
                                   << QStringLiteral("/p/2021/2021-03.mdb") << QString();
        QTest::newRow("any text, dots inside a name, a tilde")
            << QStringLiteral("Kasse 2..1") << QStringLiteral("~..")
            << QStringLiteral("/p/Kasse 2..1/Kasse 2..1-~...mdb") << QString();
        QTest::newRow("empty year") << QString() << QStringLiteral("03") << QStringLiteral("/p//-03.mdb")
                                    << year + QStringLiteral("ist leer. Bitte auswählen oder eintippen.");
        QTest::newRow("empty month") << QStringLiteral("2021") << QString() << QStringLiteral("/p/2021/2021-.mdb")
                                     << month + QStringLiteral("ist leer. Bitte auswählen oder eintippen.");
        QTest::newRow("slash in the year")
            << QStringLiteral("../x") << QStringLiteral("") << QStringLiteral("/p/../x/../x-.mdb")
            << year + noSeparator.arg(QStringLiteral("../x"));
        QTest::newRow("backslash in the month")
            << QStringLiteral("2021") << QStringLiteral("0\\3") << QStringLiteral("/p/2021/2021-0\\3.mdb")
            << month + noSeparator.arg(QStringLiteral("0\\3"));
        QTest::newRow("line break in the month")
            << QStringLiteral("2021") << QStringLiteral("0\n3") << QStringLiteral("/p/2021/2021-0\n3.mdb")
            << month + noSeparator.arg(QStringLiteral("0\n3"));
        QTest::newRow("DEL in the month")
            << QStringLiteral("2021") << QStringLiteral("0\x7f") << QStringLiteral("/p/2021/2021-0\x7f.mdb")
            << month + noSeparator.arg(QStringLiteral("0\x7f"));
        QTest::newRow("year ..") << QStringLiteral("..") << QStringLiteral("03") << QStringLiteral("/p/../..-03.mdb")
                                 << year + otherFolder.arg(QStringLiteral(".."));
        QTest::newRow("year .") << QStringLiteral(".") << QStringLiteral("03") << QStringLiteral("/p/./.-03.mdb")
                                << year + otherFolder.arg(QStringLiteral("."));
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
        QTest::newRow("a month file") << QStringLiteral("2021-03.mdb") << QStringLiteral("03")
                                      << QStringLiteral("2021");
        QTest::newRow(".MDB in the middle goes too")
            << QStringLiteral("ab.mdb.MDB") << QStringLiteral("AB") << QStringLiteral("AB");
        QTest::newRow("shorter than four characters")
            << QStringLiteral("abc.mdb") << QStringLiteral("BC") << QStringLiteral("ABC");
        QTest::newRow("nothing selected") << QString() << QString() << QString();
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
