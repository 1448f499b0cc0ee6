// The sheet's print layout and the way back to the screen layout, on the
// grid's cell store alone.
#include "platform/FlexGridStore.h"
#include "printing/PrintLayout.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The journal sheet on a screen: scaled widths, bold 9-point headings and
// the given heights for the heading rows and for the rows below them.
FlexGridStore screenSheet(int rows, int headingHeight, int rowHeight, float headingPoints)
{
    FlexGridStore g(rows, 10, 2, 0);
    for (int c = 0; c < 10; ++c)
        g.setColWidth(c, 1877);
    for (int r = 0; r < rows; ++r)
        g.setRowHeight(r, r <= 4 ? headingHeight : rowHeight);
    g.setFontSize(8.25F * headingPoints / 9.0F);
    for (int c = 0; c < 10; ++c) {
        g.setRowCol(0, c);
        g.setCellFontBold(true);
        g.setCellFontSize(headingPoints);
        g.setCellFontName(u"MS Sans Serif"_s);
        g.setTextMatrix(0, c, u"alt %1"_s.arg(c));
        g.setTextMatrix(1, c, u"r1 %1"_s.arg(c));
    }
    g.setRowCol(rows - 1, 0);
    return g;
}

QStringList formats(const FlexGridStore &g)
{
    QStringList all;
    for (int r = 0; r < g.rows(); ++r) {
        QStringList row{u"h%1"_s.arg(g.rowHeight(r))};
        for (int c = 0; c < g.cols(); ++c) {
            const FlexGridStore::CellFormat &f = g.format(r, c);
            row << u"%1%2%3"_s.arg(f.fontSize).arg(f.bold ? u"b"_s : QString(), f.fontName);
        }
        all << row.join(u' ');
    }
    return all;
}

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT
private slots:
    void columns_data();
    void columns();
    void everyCellGetsTheSize_data();
    void everyCellGetsTheSize();
    void screenFormatsComeBack_data();
    void screenFormatsComeBack();
    void rowsAddedOrRemovedMeanwhile_data();
    void rowsAddedOrRemovedMeanwhile();
};

void TestPrintLayout::columns_data()
{
    QTest::addColumn<QStringList>("rates");
    QTest::addColumn<int>("screenWidth");
    QTest::newRow("default rates over scaled columns") << QStringList{u"19%"_s, u"7%"_s, u"0%"_s} << 1877;
    QTest::newRow("rates of the settings file") << QStringList{u"16%"_s, u"5%"_s, u"Bürobedarf"_s} << 1001;
    QTest::newRow("no third rate, narrow screen") << QStringList{u"19%"_s, u"7%"_s, QString()} << 782;
}

void TestPrintLayout::columns()
{
    QFETCH(QStringList, rates);
    QFETCH(int, screenWidth);
    FlexGridStore g = screenSheet(6, 240, 240, 9.0F);
    for (int c = 0; c < 10; ++c)
        g.setColWidth(c, screenWidth);
    g.setTextMatrix(1, 6, u"2025-11"_s);
    g.setTextMatrix(3, 0, u"12,50"_s);
    PrintLayout::setColumns(g, rates[0], rates[1], rates[2]);

    QList<int> widths;
    QStringList row0;
    QStringList row1;
    for (int c = 0; c < 10; ++c) {
        widths << g.colWidth(c);
        row0 << g.textMatrix(0, c);
        row1 << g.textMatrix(1, c);
    }
    QCOMPARE(widths, (QList<int>{1000, 1000, 1000, 1000, 1000, 600, 900, 1000, 2500, 20}));
    QCOMPARE(row0, (QStringList{u"Einnahmen"_s, u"Einnahmen"_s, u"Einnahmen"_s, u"Ausgaben"_s, u"Bestand"_s,
                                u"Konto"_s, u"Beleg-Nr"_s, u"Datum"_s, u"Text"_s, u"alt 9"_s}));
    const QStringList unchanged{u"r1 3"_s, u"r1 4"_s, u"r1 5"_s, u"2025-11"_s, u"r1 7"_s, u"r1 8"_s, u"r1 9"_s};
    QCOMPARE(row1, rates + unchanged);
    QCOMPARE(g.textMatrix(3, 0), u"12,50"_s);
}

void TestPrintLayout::everyCellGetsTheSize_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::newRow("a fresh sheet") << 5 << 10;
    QTest::newRow("a long month") << 300 << 10;
    QTest::newRow("more columns than the sheet has") << 7 << 12;
}

void TestPrintLayout::everyCellGetsTheSize()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    FlexGridStore g = screenSheet(rows, 338, 338, 12.65625F);
    g.setCols(cols);
    const float gridFont = g.fontSize();
    int visits = 0;
    g.rowColChange = [&visits] { ++visits; };
    PrintLayout::setEveryCellFontSize(g, 8.0F);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            QCOMPARE(g.format(r, c).fontSize, 8.0F);
    QCOMPARE(g.fontSize(), gridFont);
    QVERIFY(g.format(0, 0).bold);
    // Each cell was made current once, ending on the last one.
    QCOMPARE(visits, rows * cols);
    QCOMPARE(g.row(), rows - 1);
    QCOMPARE(g.col(), cols - 1);
}

void TestPrintLayout::screenFormatsComeBack_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("headingHeight");
    QTest::addColumn<int>("rowHeight");
    QTest::addColumn<float>("headingPoints");
    QTest::newRow("1024x768: all rows alike") << 5 << 240 << 240 << 9.0F;
    QTest::newRow("1920x1080: taller heading rows") << 40 << 338 << 240 << 12.65625F;
    QTest::newRow("800x600: lower rows") << 12 << 188 << 240 << 7.03125F;
}

void TestPrintLayout::screenFormatsComeBack()
{
    QFETCH(int, rows);
    QFETCH(int, headingHeight);
    QFETCH(int, rowHeight);
    QFETCH(float, headingPoints);
    FlexGridStore g = screenSheet(rows, headingHeight, rowHeight, headingPoints);
    // A cell of a size of its own among cells that use the grid's font.
    g.setRowCol(3, 8);
    g.setCellFontSize(11.0F);
    const QStringList screen = formats(g);

    const PrintLayout::SheetFormats kept(g);
    PrintLayout::setColumns(g, u"19%"_s, u"7%"_s, u"0%"_s);
    PrintLayout::setEveryCellFontSize(g, 8.0F);
    g.setAllRowHeights(240);
    QVERIFY(formats(g) != screen || (headingHeight == 240 && rowHeight == 240 && headingPoints == 8.0F));
    kept.restore(g);
    QCOMPARE(formats(g), screen);
}

void TestPrintLayout::rowsAddedOrRemovedMeanwhile_data()
{
    QTest::addColumn<int>("rowsLater");
    QTest::newRow("two rows more") << 12;
    QTest::newRow("three rows fewer") << 7;
    QTest::newRow("only the headings") << 2;
}

void TestPrintLayout::rowsAddedOrRemovedMeanwhile()
{
    QFETCH(int, rowsLater);
    FlexGridStore g = screenSheet(10, 338, 300, 12.65625F);
    const QStringList screen = formats(g);
    const PrintLayout::SheetFormats kept(g);
    PrintLayout::setEveryCellFontSize(g, 8.0F);
    g.setAllRowHeights(240);
    g.setRows(rowsLater);
    kept.restore(g);
    const QStringList now = formats(g);
    QCOMPARE(now.size(), rowsLater);
    const int common = std::min(10, rowsLater);
    QCOMPARE(now.mid(0, common), screen.mid(0, common));
    for (int r = common; r < rowsLater; ++r)
        QVERIFY2(now[r].startsWith(u"h240 0 0 "_s), qPrintable(now[r]));
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "TestPrintLayout.moc"
