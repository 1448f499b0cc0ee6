#include "platform/FlexGridStore.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GridPainter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <algorithm>

namespace {
constexpr int DotsPerMeterAt96Dpi = 3780;
constexpr double TwipsPerInch = 1440.0;
constexpr double Dpi = 96.0;
const QRgb Silver = qRgb(192, 192, 192);
} // namespace

class TestGridPainter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::installSubstitutions(); }

    // A heading in bold "MS Sans Serif" at 9 points times the screen's
    // vertical factor is shrunk into its column, and only as far as needed.
    void headingFitsItsColumn_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("widthTwips");
        QTest::addColumn<double>("points");
        QTest::newRow("Einnahmen at 1024 x 768") << QStringLiteral("Einnahmen") << 1001 << 9.0;
        QTest::newRow("Datum at 2560 x 1440, its width not scaled") << QStringLiteral("Datum") << 1002 << 16.875;
    }
    void headingFitsItsColumn()
    {
        QFETCH(QString, heading);
        QFETCH(int, widthTwips);
        QFETCH(double, points);
        FlexGridStore grid(2, 1, 1, 0);
        grid.setColWidth(0, widthTwips);
        grid.setRowHeight(0, FlexGridStore::DefaultRowHeight * 2);
        grid.setTextMatrix(0, 0, heading);
        grid.setColAlignmentFixed(0, FlexAlign::CenterTop);
        grid.setRowCol(0, 0);
        grid.setCellFontBold(true);
        grid.setCellFontName(QStringLiteral("MS Sans Serif"));
        grid.setCellFontSize(static_cast<float>(points));

        const double pixelsPerTwip = Dpi / TwipsPerInch;
        const int width = qRound(widthTwips * pixelsPerTwip);
        const int height = qRound(grid.rowHeight(0) * pixelsPerTwip);
        QImage image(width, height, QImage::Format_RGB32);
        image.setDotsPerMeterX(DotsPerMeterAt96Dpi);
        image.setDotsPerMeterY(DotsPerMeterAt96Dpi);
        {
            QPainter painter(&image);
            GridPainter::paint(painter, grid, {QRectF(image.rect()), pixelsPerTwip, pixelsPerTwip, 1, 0, true});
        }

        // Ink columns of the cell, without its grid lines on the right and below.
        const int line = 1;
        int left = width;
        int right = -1;
        for (int x = 0; x < width - line; ++x) {
            for (int y = 0; y < height - line; ++y) {
                if (image.pixel(x, y) != Silver) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        const int padding = 2;
        QVERIFY2(left >= padding && right < width - line - padding,
                 qPrintable(QStringLiteral("ink from %1 to %2 in a cell %3 wide").arg(left).arg(right).arg(width)));
        const QFont designFont(Fonts::font(QStringLiteral("MS Sans Serif"), points, true), &image);
        const double designWidth = QFontMetricsF(designFont, &image).horizontalAdvance(heading);
        const double room = width - line - 2.0 * padding;
        QVERIFY2(right - left + 1 >= 0.85 * std::min(designWidth, room),
                 qPrintable(
                     QStringLiteral("ink %1 wide, text %2, room %3").arg(right - left + 1).arg(designWidth).arg(room)));
    }
};

QTEST_MAIN(TestGridPainter)
#include "TestGridPainter.moc"
