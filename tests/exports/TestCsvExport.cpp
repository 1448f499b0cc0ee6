// The CSV export, read back by Python's csv module: an independent parser
// that spreadsheet people trust.
#include "StorageFixtures.h"
#include "TestSupport.h"

#include "editing/Modul.h"
#include "exports/CsvExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

class TestCsvExport : public QObject
{
    Q_OBJECT
private slots:
    // Whatever the cells hold, a CSV reader gets the same texts back; the
    // amounts only lose their grouping dots, and each income has its rate.
    void readsBackIntoTheSameCells()
    {
        FlexGridStore sheet = Fixtures::startupSheet(7);
        sheet.setTextMatrix(1, 2, QStringLiteral("0 %; frei"));
        const QStringList entries{QStringLiteral("1.234,56|||||1000|7|01.03.2026|Kaffee für \"Büro\"; 5 €"),
                                  QStringLiteral("||-3,10|9,99|||||zwei\r\nZeilen"),
                                  QStringLiteral("||||||||  Blanks  ")};
        for (int i = 0; i < entries.size(); ++i)
            Fixtures::setRow(sheet, 3 + i, entries[i].split(u'|'));
        modul::BestandBerechnen(sheet);
        const QByteArray bytes = CsvExport::write(sheet);
        // What German spreadsheets need to open it as it is.
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));

        ProgramFolder folder;
        folder.write(QStringLiteral("monat.csv"), bytes);
        QProcess python;
        python.start(QStringLiteral("python3"),
                     {QStringLiteral("-c"),
                      QStringLiteral("import csv, json, sys\n"
                                     "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                     "    print(json.dumps(list(csv.reader(f, delimiter=';', strict=True))))\n"),
                      folder.file(QStringLiteral("monat.csv"))});
        QVERIFY(python.waitForFinished(30000));
        const QJsonArray read = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
        QCOMPARE(read.size(), 1 + 1 + entries.size()); // the empty new-entry row is left out
        QCOMPARE(read[0].toArray()[10].toString(), QStringLiteral("Steuersatz 1"));
        for (int i = 1; i < read.size(); ++i) {
            QJsonArray expected;
            for (int c = 0; c < 10; ++c)
                expected << (c <= 4 ? QString(sheet.textMatrix(1 + i, c)).remove(u'.') : sheet.textMatrix(1 + i, c));
            for (int c = 0; c < 3; ++c)
                expected << (sheet.textMatrix(1 + i, c).isEmpty() ? QString() : sheet.textMatrix(1, c));
            QCOMPARE(read[i].toArray(), expected);
        }
        QCOMPARE(read[2].toArray()[0].toString(), QStringLiteral("1234,56"));
    }

    // A text a spreadsheet would run as a formula is made plain text there;
    // amounts stay numbers.
    void formulasStayText_data()
    {
        QTest::addColumn<QString>("col");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("field"); // as it stands in the file
        textRow("equals sign", "8", "=1+1", "'=1+1");
        textRow("plus", "8", "+5 Pfand", "'+5 Pfand");
        textRow("minus", "5", "-4711", "'-4711");
        textRow("at sign", "8", "@SUMME(A1)", "'@SUMME(A1)");
        textRow("tab", "8", "\tTab", "'\tTab");
        textRow("carriage return", "8", "\rZeile", "\"'\rZeile\"");
        textRow("a negative amount", "3", "-3,10", "-3,10");
        textRow("a formula in an amount cell of an old file", "0", "=2*3", "'=2*3");
    }
    void formulasStayText()
    {
        QFETCH(QString, col);
        QFETCH(QString, cell);
        QFETCH(QString, field);
        FlexGridStore sheet = Fixtures::startupSheet();
        sheet.setTextMatrix(3, col.toInt(), cell);
        const QStringList lines = QString::fromUtf8(CsvExport::write(sheet)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(2).split(u';').value(col.toInt()), field); // after the headings and the carry-over
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "TestCsvExport.moc"
