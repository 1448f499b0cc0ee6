#include "StorageFixtures.h"
#include "storage/SheetRecords.h"

#include <QtTest>

using namespace Fixtures;

namespace {
QStringList row(std::initializer_list<const char16_t *> cells)
{
    QStringList texts;
    for (const char16_t *cell : cells)
        texts << QString::fromUtf16(cell);
    return texts;
}

QStringList padded(QStringList texts, int size = 10)
{
    while (texts.size() < size)
        texts << QString();
    return texts;
}

QStringList blankRow()
{
    return QStringList(10, QStringLiteral(" "));
}
} // namespace

class TestSheetRecords : public QObject
{
    Q_OBJECT
private slots:
    void lengthProblems_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("booking text of 41 characters")
            << 7 << 8 << QString(41, QLatin1Char('a'))
            << QStringList{QStringLiteral("Zeile 7, Spalte Text: höchstens 40 Zeichen")};
        QTest::newRow("booking text of 40 characters fits") << 7 << 8 << QString(40, QLatin1Char('a')) << QStringList{};
        QTest::newRow("umlauts count once") << 3 << 8 << QString(40, QChar(0xDF)) << QStringList{};
        QTest::newRow("a character outside the BMP counts once")
            << 3 << 8 << QString(40, QChar(0)).replace(QChar(0), QStringLiteral("\U0001F4B6")) << QStringList{};
        QTest::newRow("month label in the rate row")
            << 1 << 6 << QString(31, QLatin1Char('2'))
            << QStringList{QStringLiteral("Zeile 1, Spalte Beleg: höchstens 30 Zeichen")};
        QTest::newRow("first income field")
            << 2 << 0 << QString(26, QLatin1Char('1'))
            << QStringList{QStringLiteral("Zeile 2, Spalte Einnahmen1: höchstens 25 Zeichen")};
        QTest::newRow("date field") << 4 << 7 << QString(33, QLatin1Char('1'))
                                    << QStringList{QStringLiteral("Zeile 4, Spalte Datum: höchstens 32 Zeichen")};
    }
    void lengthProblems()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QStringList, problems);
        FlexGridStore sheet = startupSheet();
        sheet.setRows(9);
        sheet.setTextMatrix(row, column, text);
        QCOMPARE(SheetRecords::lengthProblems(SheetRecords::fromSheet(sheet)), problems);
    }

    void everyProblemIsListedInSheetOrder()
    {
        FlexGridStore sheet = startupSheet();
        sheet.setTextMatrix(4, 8, QString(50, QLatin1Char('x')));
        sheet.setTextMatrix(3, 5, QString(31, QLatin1Char('x')));
        QCOMPARE(SheetRecords::lengthProblems(SheetRecords::fromSheet(sheet)),
                 (QStringList{QStringLiteral("Zeile 3, Spalte Konto: höchstens 30 Zeichen"),
                              QStringLiteral("Zeile 4, Spalte Text: höchstens 40 Zeichen")}));
    }

    // Loading replaces rows 1 and below completely: nothing of the previous month survives.
    void load_data()
    {
        QTest::addColumn<int>("rowsBefore");
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<QList<QStringList>>("expected"); // rows 1 and below after the load
        const QStringList empty = padded({});
        QTest::newRow("fewer records than rows: the rows after them are empty")
            << 9 << QList<QStringList>{blankRow(), padded(row({u"1,00"}), 10)}
            << QList<QStringList>{empty, padded(row({u"1,00"})), empty};
        QTest::newRow("more records than rows")
            << 3 << QList<QStringList>{blankRow(), blankRow(), padded(row({u"", u"", u"", u"2,50"}), 10), blankRow()}
            << QList<QStringList>{empty, empty, padded(row({u"", u"", u"", u"2,50"})), empty, empty};
        QTest::newRow("a single blank and NULL show as empty, two blanks stay")
            << 5 << QList<QStringList>{padded(row({u" ", u"  "}), 10)}
            << QList<QStringList>{padded(row({u"", u"  "})), empty};
        QTest::newRow("fields past the last column are ignored")
            << 5 << QList<QStringList>{row({u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j", u"k", u"l"})}
            << QList<QStringList>{row({u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j"}), empty};
        QTest::newRow("a short record empties the columns it lacks")
            << 5 << QList<QStringList>{row({u"张三", u"男"})}
            << QList<QStringList>{padded(row({u"张三", u"男"})), empty};
        QTest::newRow("no records: the start-up layout with the given rates")
            << 9 << QList<QStringList>{}
            << QList<QStringList>{padded(row({u"16%", u"5%", u"0%"})),
                                  padded(row({u"", u"", u"", u"", u"", u"", u"", u"", u"Übertrag"})), empty, empty};
    }
    void load()
    {
        QFETCH(int, rowsBefore);
        QFETCH(QList<QStringList>, records);
        QFETCH(QList<QStringList>, expected);
        FlexGridStore sheet = startupSheet();
        sheet.setRows(rowsBefore);
        for (int r = 1; r < rowsBefore; ++r)
            setRow(sheet, r, QStringList(10, QStringLiteral("Vormonat %1").arg(r)));
        const QStringList headings = texts(sheet).first();
        SheetRecords::load(sheet, Records(records.begin(), records.end()),
                           {QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")});
        QList<QStringList> after = texts(sheet);
        QCOMPARE(after.takeFirst(), headings);
        QCOMPARE(after, expected);
    }

    void loadKeepsTheCarryOverShading()
    {
        FlexGridStore sheet = startupSheet();
        sheet.setRowCol(2, 4);
        sheet.setCellBackColor(gridRgb(192, 192, 192));
        SheetRecords::load(sheet, Records(6, blankRow()), Fixtures::defaultRates());
        QCOMPARE(sheet.format(2, 4).backColor, gridRgb(192, 192, 192));
        QCOMPARE(sheet.rows(), 8);
    }
};

QTEST_GUILESS_MAIN(TestSheetRecords)
#include "TestSheetRecords.moc"
