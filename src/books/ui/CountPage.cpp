#include "books/ui/CountPage.h"

#include "platform/ui/Fonts.h"

#include <QPainter>
#include <QPrinter>

namespace CountPage {
namespace {
constexpr double MmPerInch = 25.4;
constexpr double LineWidthMm = 0.3;
const QString Face = QStringLiteral("Arial");
} // namespace

bool print(QPrinter &printer, const std::vector<CountSheet::Item> &items)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The layout counts from the paper's corner, the painter from the printable area's.
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const double scale = printer.resolution() / MmPerInch;
    const auto pixels = [&printable, scale](const QRectF &mm) {
        return QRectF((mm.left() - printable.left()) * scale, (mm.top() - printable.top()) * scale, mm.width() * scale,
                      mm.height() * scale);
    };
    painter.setPen(QPen(Qt::black, LineWidthMm * scale));
    for (const CountSheet::Item &item : items) {
        const QRectF area = pixels(item.mm);
        if (item.kind == CountSheet::Item::Kind::Line) {
            painter.drawLine(area.topLeft(), area.topRight());
            continue;
        }
        painter.setFont(Fonts::font(Face, item.points, item.bold));
        // A text too long for its place is cut visibly rather than running into the next.
        const QString text =
            item.wrap ? item.text
                      : painter.fontMetrics().elidedText(item.text, Qt::ElideRight, static_cast<int>(area.width()));
        painter.drawText(area, static_cast<int>(item.alignment) | (item.wrap ? Qt::TextWordWrap : 0), text);
    }
    return painter.end();
}

} // namespace CountPage
