// Every date and amount shows whole: on the screen at the usual sizes, where
// the font grows with the height but some columns only with the width, and
// in the print-out's fixed layout. Measured text widths, not pixels.
#include "Form1Fixture.h"

#include "platform/ui/Fonts.h"
#include "printing/PrintLayout.h"

#include <QFontMetricsF>
#include <QPdfWriter>

namespace {
// Room a cell's text has in a column of this many pixels: the painter pads
// both sides and draws the grid line inside the cell.
double textRoom(double columnPixels, double dpi)
{
    return columnPixels - 2.0 * std::max(1.0, std::round(dpi / 48.0)) - std::max(1.0, std::round(dpi / 96.0));
}
} // namespace

class TestWholeCells : public QObject
{
    Q_OBJECT
private slots:
    void onScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        for (const QSize size : {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080), QSize(2560, 1440)})
            QTest::addRow("%dx%d", size.width(), size.height()) << size;
    }
    void onScreen()
    {
        QFETCH(QSize, screen);
        Form1Fixture f(screen);
        Form1 &w = f.start();
        const FlexGridStore &g = f.sheet();
        const QFontMetricsF metrics(Fonts::font(g.fontName(), g.fontSize(), false), w.flex->viewport());
        const double dpi = w.flex->viewport()->logicalDpiX();
        int shown = 0;
        for (int c = 0; c < modul::ColCount; ++c) {
            const QString widest = modul::widestText(c);
            if (widest.isEmpty())
                continue;
            const QRect cell = w.flex->cellRect(modul::FirstEntryRow, c);
            QVERIFY2(metrics.horizontalAdvance(widest) <= textRoom(cell.width(), dpi),
                     qPrintable(QStringLiteral("%1 in %2 px").arg(widest).arg(cell.width())));
            ++shown;
        }
        QCOMPARE(shown, 8);
        // The sheet keeps its width; the text column still shows a quick key's text.
        QVERIFY(w.flex->cellRect(modul::FirstEntryRow, modul::ColText).right() < w.flex->viewport()->width());
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("Reinigungsmittel"))
                <= textRoom(w.flex->cellRect(modul::FirstEntryRow, modul::ColText).width(), dpi));
    }

    void inPrint()
    {
        QPdfWriter pdf(QStringLiteral("/dev/null"));
        pdf.setResolution(1200);
        const double dpi = pdf.logicalDpiX();
        const QFontMetricsF metrics(Fonts::font(QStringLiteral("MS Sans Serif"), PrintLayout::CellPoints, false), &pdf);
        const std::array<std::pair<int, QString>, 4> widest = {{{modul::ColBestand, PrintLayout::WidestAmount},
                                                                {modul::ColEinnahmen1, PrintLayout::WidestAmount},
                                                                {modul::ColDatum, modul::widestText(modul::ColDatum)},
                                                                {modul::ColKonto, modul::widestText(modul::ColKonto)}}};
        for (const auto &[col, text] : widest) {
            const double column = PrintLayout::ColumnWidths[static_cast<size_t>(col)] * dpi / 1440.0;
            QVERIFY2(metrics.horizontalAdvance(text) <= textRoom(column, dpi), qPrintable(text));
        }
    }
};

QTEST_MAIN(TestWholeCells)
#include "TestWholeCells.moc"
