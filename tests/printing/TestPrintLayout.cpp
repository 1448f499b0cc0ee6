// The sheet's print layout and the way back to the screen layout, on the
// grid's cell store alone.
#include "platform/FlexGridStore.h"
#include "printing/PrintLayout.h"

#include <QTest>

namespace {
// Each row's height and each cell's own font size and boldness.
QStringList formats(const FlexGridStore &g)
{
    QStringList all;
    for (int r = 0; r < g.rows(); ++r) {
        QStringList row{QString::number(g.rowHeight(r))};
        for (int c = 0; c < g.cols(); ++c)
            row << QString::number(g.format(r, c).fontSize) + (g.format(r, c).bold ? QStringLiteral("b") : QString());
        all << row.join(u' ');
    }
    return all;
}
} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT
private slots:
    // Rows of different heights and cells of different sizes, some bold,
    // among cells that use the grid's font, come back as they were.
    void screenFormatsComeBack()
    {
        FlexGridStore g(12, 10, 2, 0);
        for (int r = 0; r < g.rows(); ++r)
            g.setRowHeight(r, r <= 4 ? 338 : 240);
        for (int c = 0; c < 10; ++c) {
            g.setRowCol(0, c);
            g.setCellFontBold(true);
            g.setCellFontSize(12.65625F);
        }
        g.setRowCol(3, 8);
        g.setCellFontSize(11.0F);
        const QStringList screen = formats(g);

        const PrintLayout::SheetFormats kept(g);
        PrintLayout::setColumns(g, modul::defaultRateTexts());
        PrintLayout::setEveryCellFontSize(g, PrintLayout::CellPoints);
        g.setAllRowHeights(240);
        QVERIFY(formats(g) != screen);
        kept.restore(g);
        QCOMPARE(formats(g), screen);
    }
};

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "TestPrintLayout.moc"
