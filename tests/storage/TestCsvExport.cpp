// The CSV export, read back by Python's csv module: an independent parser
// that spreadsheet-minded people trust.
#include "StorageFixtures.h"
#include "TestSupport.h"

#include "editing/Modul.h"
#include "storage/CsvExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

namespace {
const QByteArray Bom("\xEF\xBB\xBF");

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
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        return {};
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        QStringList fields;
        for (const QJsonValue &f : row.toArray())
            fields << f.toString();
        rows << fields;
    }
    return rows;
}
} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT
private slots:
    void fields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain text stays bare") << QStringLiteral("Bürobedarf") << QStringLiteral("Bürobedarf");
        QTest::newRow("an empty cell is an empty field") << QString() << QString();
        QTest::newRow("the separator is quoted") << QStringLiteral("a;b") << QStringLiteral("\"a;b\"");
        QTest::newRow("quotes are doubled") << QStringLiteral("Café \"Eck\"") << QStringLiteral("\"Café \"\"Eck\"\"\"");
        QTest::newRow("a line break is quoted") << QStringLiteral("a\nb") << QStringLiteral("\"a\nb\"");
        QTest::newRow("blanks at the ends are kept") << QStringLiteral(" 7 ") << QStringLiteral("\" 7 \"");
        QTest::newRow("a comma needs nothing") << QStringLiteral("1,50") << QStringLiteral("1,50");
    }
    void fields()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(CsvExport::field(text), field);
    }

    void fileForGermanSpreadsheets()
    {
        FlexGridStore sheet = Fixtures::startupSheet();
        sheet.setTextMatrix(2, 4, QStringLiteral("1.000,00"));
        Fixtures::setRow(sheet, 3,
                         {QStringLiteral("1.234,56"),
                          {},
                          {},
                          {},
                          {},
                          {},
                          QStringLiteral("42"),
                          QStringLiteral("02.03.2026"),
                          QStringLiteral("Tageseinnahme")});
        modul::BestandBerechnen(sheet);
        const QByteArray bytes = CsvExport::write(sheet);
        QVERIFY(bytes.startsWith(Bom));
        const QList<QByteArray> lines = bytes.mid(Bom.size()).split('\n');
        QCOMPARE(lines.size(), 4); // headings, carry-over, the entry, and nothing after the last CRLF
        QCOMPARE(lines.last(), QByteArray());
        QCOMPARE(lines[0], QByteArray("Einnahmen;Einnahmen;Einnahmen;Ausgaben;Bestand;Konto;Beleg-Nr;Datum;Text;;"
                                      "Steuersatz 1;Steuersatz 2;Steuersatz 3\r"));
        QCOMPARE(lines[1], QByteArray(";;;;1000,00;;;;\xC3\x9c"
                                      "bertrag;;;;\r"));
        QCOMPARE(lines[2], QByteArray("1234,56;;;;2234,56;;42;02.03.2026;Tageseinnahme;;19%;;\r"));
    }

    // Whatever the cells hold, a CSV reader gets the same texts back; the
    // amounts only lose their grouping dots.
    void readsBackIntoTheSameCells()
    {
        FlexGridStore sheet = Fixtures::startupSheet();
        sheet.setTextMatrix(1, 2, QStringLiteral("0 %; frei"));
        const QList<QStringList> entries = {
            {QStringLiteral("10,00"),
             {},
             {},
             {},
             {},
             QStringLiteral("1000"),
             QStringLiteral("7"),
             QStringLiteral("01.03.2026"),
             QStringLiteral("Kaffee für \"Büro\"; 5 €")},
            {{},
             QStringLiteral("1.000.000,07"),
             {},
             {},
             {},
             {},
             QStringLiteral(" 8"),
             QStringLiteral("02.03.2026"),
             QStringLiteral("zwei\r\nZeilen")},
            {{}, {}, QStringLiteral("-3,10"), {}, {}, {}, {}, {}, QStringLiteral("  Storno  ")},
            {{}, {}, {}, QStringLiteral("99,99"), {}, {}, {}, QStringLiteral("03.03."), QStringLiteral("=SUMME(A1)")},
            {{}, {}, {}, {}, {}, {}, {}, {}, QStringLiteral("nur ein Text")},
        };
        sheet.setRows(3 + static_cast<int>(entries.size()) + 1);
        for (int i = 0; i < entries.size(); ++i)
            Fixtures::setRow(sheet, 3 + i, entries[i]);
        modul::BestandBerechnen(sheet);

        const QList<QStringList> read = readWithPython(CsvExport::write(sheet));
        QCOMPARE(read.size(), 1 + 1 + entries.size()); // the empty rows are left out
        for (int i = 0; i < read.size() - 1; ++i) {
            const int row = 2 + i;
            QStringList expected;
            for (int c = 0; c < 10; ++c) {
                QString cell = sheet.textMatrix(row, c);
                if (c <= 4)
                    cell.remove(u'.');
                expected << cell;
            }
            for (int c = 0; c < 3; ++c)
                expected << (sheet.textMatrix(row, c).isEmpty() ? QString() : sheet.textMatrix(1, c));
            QCOMPARE(read[i + 1], expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "TestCsvExport.moc"
