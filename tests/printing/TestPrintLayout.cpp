// The sheet's print layout and the way back to the screen layout, on the
// grid's cell store alone.
#include "platform/FlexGridStore.h"
#include "printing/PrintLayout.h"

#include <QTest>

namespace {

// The journal sheet on a screen: bold headings at the given size, and the
// given heights for the heading rows and for the rows below them.
FlexGridStore screenSheet(int rows, int headingHeight, int rowHeight, float headingPoints)
{
    FlexGridStore g(rows, 10, 2, 0);
    for (int r = 0; r < rows; ++r)
        g.setRowHeight(r, r <= 4 ? headingHeight : rowHeight);
    g.setFontSize(8.25F * headingPoints / 9.0F);
    for (int c = 0; c < 10; ++c) {
        g.setRowCol(0, c);
        g.setCellFontBold(true);
        g.setCellFontSize(headingPoints);
        g.setCellFontName(QStringLiteral("MS Sans Serif"));
    }
    g.setRowCol(rows - 1, 0);
    return g;
}

QStringList formats(const FlexGridStore &g)
{
    QStringList all;
    for (int r = 0; r < g.rows(); ++r) {
        QStringList row{QStringLiteral("h%1").arg(g.rowHeight(r))};
        for (int c = 0; c < g.cols(); ++c) {
            const FlexGridStore::CellFormat &f = g.format(r, c);
            row << QStringLiteral("%1%2%3").arg(f.fontSize).arg(f.bold ? QStringLiteral("b") : QString(), f.fontName);
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
    void screenFormatsComeBack_data();
    void screenFormatsComeBack();
};

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
    PrintLayout::setColumns(g, {QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")});
    PrintLayout::setEveryCellFontSize(g, 8.0F);
    g.setAllRowHeights(240);
    QVERIFY(formats(g) != screen);
    kept.restore(g);
    QCOMPARE(formats(g), screen);
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "TestPrintLayout.moc"
