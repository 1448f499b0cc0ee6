#include "TestSupport.h"
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
        const QString notAYear =
            QStringLiteral("„%1“ ist kein Jahr. Bitte ein Jahr mit vier Ziffern wählen oder eintippen.");
        const QString notAMonth = QStringLiteral("„%1“ ist kein Monat. Bitte 01 bis 12 wählen oder eintippen.");
        const QString empty = QStringLiteral("ist leer. Bitte auswählen oder eintippen.");
        // The problem is the named selector's, its template filled with that selector's text.
        enum Bad { None, Year, Month };
        const auto row = [](const char *name, const char *year, const char *month, const char *path, Bad bad = None,
                            const QString &problem = QString()) {
            const QString y = QString::fromUtf8(year);
            const QString m = QString::fromUtf8(month);
            const QString what =
                bad == Year ? QStringLiteral("Die Jahresangabe ") : QStringLiteral("Die Monatsangabe ");
            QTest::newRow(name) << y << m << QString::fromUtf8(path)
                                << (bad == None ? QString() : what + QString(problem).arg(bad == Year ? y : m));
        };
        row("selectors", "2021", "03", "/p/2021/2021-03.mdb");
        row("one digit is completed", "2026", "7", "/p/2026/2026-07.mdb");
        row("the last month", "2026", "12", "/p/2026/2026-12.mdb");
        row("empty year", "", "03", "/p//-03.mdb", Year, empty);
        row("empty month", "2021", "", "/p/2021/2021-.mdb", Month, empty);
        row("month 13", "2026", "13", "/p/2026/2026-13.mdb", Month, notAMonth);
        row("month 00", "2026", "00", "/p/2026/2026-00.mdb", Month, notAMonth);
        row("zero alone", "2026", "0", "/p/2026/2026-0.mdb", Month, notAMonth);
        row("three digits", "2026", "007", "/p/2026/2026-007.mdb", Month, notAMonth);
        row("letters as month", "2026", "abc", "/p/2026/2026-abc.mdb", Month, notAMonth);
        row("separator in the month", "2021", "0/3", "/p/2021/2021-0/3.mdb", Month, notAMonth);
        row("letters as year", "abc", "12", "/p/abc/abc-12.mdb", Year, notAYear);
        row("two-digit year", "26", "03", "/p/26/26-03.mdb", Year, notAYear);
        row("year 0000", "0000", "03", "/p/0000/0000-03.mdb", Year, notAYear);
        row("year ..", "..", "03", "/p/../..-03.mdb", Year, notAYear);
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
        textRow("a month file", "2021-03.mdb", "03", "2021");
        textRow(".MDB in the middle goes too", "ab.mdb.MDB", "AB", "AB");
        textRow("shorter than four characters", "abc.mdb", "BC", "ABC");
        textRow("nothing selected", "", "", "");
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
