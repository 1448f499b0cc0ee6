// The CSV export, read back by Python's csv module: an independent parser
// that spreadsheet people trust.
#include "StorageFixtures.h"
#include "TestSupport.h"

#include "editing/Modul.h"
#include "storage/CsvExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

namespace {
// Every field of every line, as Python's csv module reads the file.
QList<QStringList> readWithPython(const QByteArray &bytes)
{
    ProgramFolder folder;
    folder.write(QStringLiteral("monat.csv"), bytes);
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f, delimiter=';', strict=True))))\n"),
                  folder.file(QStringLiteral("monat.csv"))});
    python.waitForFinished(30000);
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        rows << QStringList();
        for (const QJsonValue &f : row.toArray())
            rows.last() << f.toString();
    }
    return rows;
}
} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT
private slots:
    // Whatever the cells hold, a CSV reader gets the same texts back; the
    // amounts only lose their grouping dots, and each income has its rate.
    void readsBackIntoTheSameCells()
    {
        FlexGridStore sheet = Fixtures::startupSheet();
        sheet.setTextMatrix(1, 2, QStringLiteral("0 %; frei"));
        const QList<QStringList> entries = {
            {QStringLiteral("1.234,56"),
             {},
             {},
             {},
             {},
             QStringLiteral("1000"),
             QStringLiteral("7"),
             QStringLiteral("01.03.2026"),
             QStringLiteral("Kaffee für \"Büro\"; 5 €")},
            {{}, {}, QStringLiteral("-3,10"), QStringLiteral("9,99"), {}, {}, {}, {}, QStringLiteral("zwei\r\nZeilen")},
            {{}, {}, {}, {}, {}, {}, {}, {}, QStringLiteral("  Blanks  ")},
        };
        sheet.setRows(3 + static_cast<int>(entries.size()) + 1);
        for (int i = 0; i < entries.size(); ++i)
            Fixtures::setRow(sheet, 3 + i, entries[i]);
        modul::BestandBerechnen(sheet);

        const QList<QStringList> read = readWithPython(CsvExport::write(sheet));
        QCOMPARE(read.size(), 1 + 1 + entries.size()); // the empty new-entry row is left out
        QCOMPARE(read[0].mid(8), (QStringList{QStringLiteral("Text"), QString(), QStringLiteral("Steuersatz 1"),
                                              QStringLiteral("Steuersatz 2"), QStringLiteral("Steuersatz 3")}));
        for (int i = 1; i < read.size(); ++i) {
            QStringList expected;
            for (int c = 0; c < 10; ++c)
                expected << (c <= 4 ? QString(sheet.textMatrix(1 + i, c)).remove(u'.') : sheet.textMatrix(1 + i, c));
            for (int c = 0; c < 3; ++c)
                expected << (sheet.textMatrix(1 + i, c).isEmpty() ? QString() : sheet.textMatrix(1, c));
            QCOMPARE(read[i], expected);
        }
        QCOMPARE(read[2][0], QStringLiteral("1234,56"));
    }

    // What German spreadsheets need to open it as it is.
    void bytesForGermanSpreadsheets()
    {
        FlexGridStore sheet = Fixtures::startupSheet();
        Fixtures::setRow(sheet, 3, {QStringLiteral("1.234,56"), {}, {}, {}, {}, {}, {}, QStringLiteral("02.03.2026")});
        modul::BestandBerechnen(sheet);
        const QByteArray bytes = CsvExport::write(sheet);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                                 "Einnahmen;Einnahmen;Einnahmen;Ausgaben;Bestand;"));
        QVERIFY(bytes.endsWith("\r\n1234,56;;;;1234,56;;;02.03.2026;;;19%;;\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "TestCsvExport.moc"
