#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/SheetRecords.h"

#include <QtTest>

using namespace Fixtures;

namespace {
// A row of ten cells: the given texts, separated by "|", then empty cells.
QStringList cells(const char *texts)
{
    QStringList row = items(texts);
    row.resize(10);
    return row;
}
} // namespace

class TestSheetRecords : public QObject
{
    Q_OBJECT
private slots:
    // Rows 1 and 2 always, then every row up to the last that books
    // something; an empty cell is stored as one blank.
    void storedRows_data()
    {
        QTest::addColumn<QList<QStringList>>("entries"); // rows 3 and below
        QTest::addColumn<int>("stored");                 // records
        const QStringList worked = cells("||||5,00||7"); // only a balance and a receipt number
        QTest::newRow("the start-up sheet: rates and carry-over") << QList<QStringList>{cells(""), cells("")} << 2;
        QTest::newRow("an entry, then rows with worked-out cells only")
            << QList<QStringList>{cells("5,00||||5,00||1"), worked, worked, cells("")} << 3;
        QTest::newRow("an empty row between entries keeps its receipt number")
            << QList<QStringList>{cells("5,00"), worked, cells("|||1,00")} << 5;
    }
    void storedRows()
    {
        QFETCH(QList<QStringList>, entries);
        QFETCH(int, stored);
        FlexGridStore sheet = startupSheet(static_cast<int>(entries.size()) + 3);
        for (int i = 0; i < entries.size(); ++i)
            setRow(sheet, 3 + i, entries[i]);
        const Records records = SheetRecords::fromSheet(sheet);
        QCOMPARE(int(records.size()), stored);
        const QString b = QStringLiteral(" ");
        QCOMPARE(records[0], defaultRates() + QStringList(7, b));
        QCOMPARE(records[1], (QStringList{b, b, b, b, b, b, b, b, QStringLiteral("Übertrag"), b}));
    }

    void lengthProblems_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("booking text of 41 characters")
            << 7 << 8 << QString(41, u'a') << items("Zeile 7, Spalte Text: höchstens 40 Zeichen");
        QTest::newRow("40 characters outside the BMP fit")
            << 3 << 8 << QString(40, QChar(0)).replace(QChar(0), QStringLiteral("\U0001F4B6")) << QStringList{};
        QTest::newRow("month label in the rate row")
            << 1 << 6 << QString(31, u'2') << items("Zeile 1, Spalte Beleg: höchstens 30 Zeichen");
    }
    void lengthProblems()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QStringList, problems);
        FlexGridStore sheet = startupSheet(9);
        sheet.setTextMatrix(row, column, text);
        QCOMPARE(SheetRecords::lengthProblems(SheetRecords::fromSheet(sheet)), problems);
    }

    void everyProblemIsListedInSheetOrder()
    {
        FlexGridStore sheet = startupSheet();
        sheet.setTextMatrix(4, 8, QString(50, u'x'));
        sheet.setTextMatrix(3, 5, QString(31, u'x'));
        QCOMPARE(SheetRecords::lengthProblems(SheetRecords::fromSheet(sheet)),
                 items("Zeile 3, Spalte Konto: höchstens 30 Zeichen|Zeile 4, Spalte Text: höchstens 40 Zeichen"));
    }

    // Loading replaces rows 1 and below completely: nothing of the previous month survives.
    void load_data()
    {
        QTest::addColumn<int>("rowsBefore");
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<QList<QStringList>>("expected"); // rows 1 and below after the load
        const QStringList empty = cells("");
        const QStringList blank = QStringList(10, QStringLiteral(" "));
        const QStringList amount = cells("|||2,50");
        QTest::newRow("fewer records than rows: the first entry row stays")
            << 9 << QList<QStringList>{blank, amount} << QList<QStringList>{empty, amount, empty, empty};
        QTest::newRow("more records than rows") << 3 << QList<QStringList>{blank, blank, amount, blank}
                                                << QList<QStringList>{empty, empty, amount, empty, empty};
        QTest::newRow("a single blank and NULL show as empty, two blanks stay")
            << 5 << QList<QStringList>{cells(" |  ")} << QList<QStringList>{cells("|  "), empty, empty, empty};
        QTest::newRow("a short record empties the columns it lacks, fields past the last are ignored")
            << 5 << QList<QStringList>{items("张三"), blank + items("k")}
            << QList<QStringList>{cells("张三"), empty, empty, empty};
        QTest::newRow("no records: the start-up layout with the given rates")
            << 9 << QList<QStringList>{}
            << QList<QStringList>{cells("16%|5%|0%"), cells("||||||||Übertrag"), empty, empty};
    }
    void load()
    {
        QFETCH(int, rowsBefore);
        QFETCH(QList<QStringList>, records);
        QFETCH(QList<QStringList>, expected);
        FlexGridStore sheet = startupSheet(rowsBefore);
        for (int r = 1; r < rowsBefore; ++r)
            setRow(sheet, r, QStringList(10, QStringLiteral("Vormonat %1").arg(r)));
        sheet.setRowCol(2, 4);
        sheet.setCellBackColor(gridRgb(192, 192, 192));
        const QStringList headings = texts(sheet).first();
        SheetRecords::load(sheet, Records(records.begin(), records.end()),
                           {QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")});
        QList<QStringList> after = texts(sheet);
        QCOMPARE(after.takeFirst(), headings);
        QCOMPARE(after, expected);
        QCOMPARE(sheet.format(2, 4).backColor, gridRgb(192, 192, 192)); // only texts change
    }
};

QTEST_GUILESS_MAIN(TestSheetRecords)
#include "TestSheetRecords.moc"
