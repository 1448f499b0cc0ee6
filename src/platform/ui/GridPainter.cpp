#include "platform/ui/GridPainter.h"

#include "platform/FlexGridStore.h"
#include "platform/ui/Fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <vector>

namespace {

bool looksNumeric(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*-?[0-9][0-9.]*(,[0-9]+)?\\s*$"));
    return number.match(text).hasMatch();
}

Qt::Alignment alignmentFor(int code, const QString &text)
{
    switch (code) {
    case FlexAlign::LeftTop:
        return Qt::AlignLeft | Qt::AlignTop;
    case FlexAlign::LeftCenter:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case FlexAlign::LeftBottom:
        return Qt::AlignLeft | Qt::AlignBottom;
    case FlexAlign::CenterTop:
        return Qt::AlignHCenter | Qt::AlignTop;
    case FlexAlign::CenterCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case FlexAlign::CenterBottom:
        return Qt::AlignHCenter | Qt::AlignBottom;
    case FlexAlign::RightTop:
        return Qt::AlignRight | Qt::AlignTop;
    case FlexAlign::RightCenter:
        return Qt::AlignRight | Qt::AlignVCenter;
    case FlexAlign::RightBottom:
        return Qt::AlignRight | Qt::AlignBottom;
    default:
        break;
    }
    // General: numbers to the right, text to the left.
    return (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

// A heading shrinks to its column rather than being cut: the widths are the
// design's, but the fonts that stand in for its font here are wider.
QFont fittedFont(QFont font, const QString &text, double width, const QPaintDevice *device)
{
    constexpr double Step = 0.25;
    constexpr double Smallest = 4.0;
    const double needed = QFontMetricsF(font, device).horizontalAdvance(text);
    if (needed <= width || width <= 0.0)
        return font;
    font.setPointSizeF(std::max(Smallest, font.pointSizeF() * width / needed));
    // Hinting keeps the advance from scaling exactly with the size.
    while (font.pointSizeF() > Smallest && QFontMetricsF(font, device).horizontalAdvance(text) > width)
        font.setPointSizeF(std::max(Smallest, font.pointSizeF() - Step));
    return font;
}

// Column edges in device pixels, rounded from the cumulative twips so that
// neighbouring cells share their edges exactly.
std::vector<double> columnEdges(const FlexGridStore &grid, const GridPaintArea &area, std::vector<int> &order)
{
    order.clear();
    for (int c = 0; c < grid.fixedCols(); ++c)
        order.push_back(c);
    for (int c = std::max(area.firstCol, grid.fixedCols()); c < grid.cols(); ++c)
        order.push_back(c);
    std::vector<double> edges;
    edges.reserve(order.size() + 1);
    long long twips = 0;
    edges.push_back(area.rect.left());
    for (int c : order) {
        twips += grid.colWidth(c);
        edges.push_back(area.rect.left() + std::round(static_cast<double>(twips) * area.pixelsPerTwipX));
    }
    return edges;
}

void paintRow(QPainter &p, const FlexGridStore &grid, int r, double top, double bottom, const std::vector<int> &order,
              const std::vector<double> &edges, const QRectF &dirty)
{
    if (!dirty.isEmpty() && (bottom <= dirty.top() || top >= dirty.bottom()))
        return;
    const bool fixedRow = r < grid.fixedRows();
    const double padding = std::max(1.0, std::round(p.device()->logicalDpiX() / 48.0));
    for (size_t i = 0; i < order.size(); ++i) {
        const int c = order[i];
        const QRectF cell(edges[i], top, edges[i + 1] - edges[i], bottom - top);
        if (cell.width() <= 0.0 || cell.height() <= 0.0 || (!dirty.isEmpty() && !cell.intersects(dirty)))
            continue;
        const FlexGridStore::CellFormat &f = grid.format(r, c);
        const bool fixed = fixedRow || c < grid.fixedCols();
        GridRgb back = fixed ? grid.backColorFixed() : grid.backColor();
        if (f.hasBackColor)
            back = f.backColor;
        p.fillRect(cell, QColor(back));
        // The lines lie inside the cell, so the next cell does not paint over them.
        const double line = std::max(1.0, std::round(p.device()->logicalDpiX() / 96.0));
        QPen pen(QColor(fixed ? gridRgb(128, 128, 128) : grid.gridColor()));
        pen.setWidthF(line);
        p.setPen(pen);
        const double x = cell.right() - line / 2.0;
        const double y = cell.bottom() - line / 2.0;
        p.drawLine(QPointF(x, cell.top()), QPointF(x, cell.bottom()));
        p.drawLine(QPointF(cell.left(), y), QPointF(cell.right(), y));
        const QString &text = grid.textMatrix(r, c);
        if (text.isEmpty())
            continue;
        const QString family = f.fontName.isEmpty() ? grid.fontName() : f.fontName;
        const double size = f.fontSize > 0.0F ? f.fontSize : grid.fontSize();
        const QRectF textRect = cell.adjusted(padding, 0, -padding, 0);
        const QFont font(Fonts::font(family, size, f.bold), p.device());
        p.setFont(fixed ? fittedFont(font, text, textRect.width(), p.device()) : font);
        p.setPen(f.hasForeColor ? QColor(f.foreColor) : QColor(Qt::black));
        const int code = fixedRow ? grid.colAlignmentFixed(c) : FlexAlign::General;
        p.save();
        // Within a print rectangle the cell's clip must not reach past it.
        p.setClipRect(cell, p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        p.drawText(textRect, static_cast<int>(alignmentFor(code, text)), text);
        p.restore();
    }
}

} // namespace

int GridPainter::paint(QPainter &painter, const FlexGridStore &grid, const GridPaintArea &area)
{
    std::vector<int> order;
    const std::vector<double> edges = columnEdges(grid, area, order);
    double y = area.rect.top();
    long long twips = 0;
    auto rowBottom = [&](int r) {
        twips += grid.rowHeight(r);
        return area.rect.top() + std::round(static_cast<double>(twips) * area.pixelsPerTwipY);
    };
    for (int r = 0; r < grid.fixedRows(); ++r) {
        const double bottom = rowBottom(r);
        paintRow(painter, grid, r, y, bottom, order, edges, area.dirty);
        y = bottom;
    }
    int r = std::max(area.firstRow, grid.fixedRows());
    bool drewBody = false;
    for (; r < grid.rows(); ++r) {
        if (y >= area.rect.bottom())
            break;
        const double bottom = rowBottom(r);
        // A row taller than a whole page is drawn cut rather than never.
        if (bottom > area.rect.bottom() && !area.partialRows && drewBody)
            break;
        paintRow(painter, grid, r, y, bottom, order, edges, area.dirty);
        drewBody = true;
        y = bottom;
        if (bottom > area.rect.bottom()) {
            ++r;
            break;
        }
    }
    if (area.partialRows && r < grid.rows() && y > area.rect.bottom())
        return r - 1;
    return r;
}
