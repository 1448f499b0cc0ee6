#include "platform/ui/GridPainter.h"

#include "platform/FlexGridStore.h"
#include "platform/ui/Fonts.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>

#include <cmath>
#include <deque>
#include <optional>
#include <vector>

namespace {

constexpr GridRgb HeadingLineColor = gridRgb(128, 128, 128);

bool isAsciiSpace(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Blanks, an optional "-", a digit, digits and dots, optionally a comma with
// digits, blanks: "-1.234,56" and the like.
bool looksNumeric(const QString &text)
{
    const QChar *c = text.constData();
    const QChar *end = c + text.size();
    while (c != end && isAsciiSpace(*c))
        ++c;
    if (c != end && *c == u'-')
        ++c;
    if (c == end || !isAsciiDigit(*c))
        return false;
    while (c != end && (isAsciiDigit(*c) || *c == u'.'))
        ++c;
    if (c != end && *c == u',') {
        ++c;
        if (c == end || !isAsciiDigit(*c))
            return false;
        while (c != end && isAsciiDigit(*c))
            ++c;
    }
    while (c != end && isAsciiSpace(*c))
        ++c;
    return c == end;
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
QFont fittedFont(QFont font, double needed, const QString &text, double width, const QPaintDevice *device)
{
    constexpr double Step = 0.25;
    constexpr double Smallest = 4.0;
    font.setPointSizeF(std::max(Smallest, font.pointSizeF() * width / needed));
    // Hinting keeps the advance from scaling exactly with the size.
    while (font.pointSizeF() > Smallest && QFontMetricsF(font, device).horizontalAdvance(text) > width)
        font.setPointSizeF(std::max(Smallest, font.pointSizeF() - Step));
    return font;
}

// Texts a single line cannot show as they are (line breaks, tabs) keep the
// painter's own text layout.
bool needsLayout(const QString &text)
{
    for (QChar c : text) {
        if (c < u' ' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

// The fonts of one paint, made once for each face, size and weight.
class FontCache
{
public:
    struct Entry
    {
        QString family;
        double points;
        bool bold;
        QFont font;
        QFontMetricsF metrics;
    };

    explicit FontCache(const QPaintDevice *device) : m_device(device) {}

    const Entry &get(const QString &family, double points, bool bold)
    {
        for (const Entry &e : m_entries) {
            if (e.points == points && e.bold == bold && e.family == family)
                return e;
        }
        const QFont font(Fonts::font(family, points, bold), m_device);
        return m_entries.emplace_back(Entry{family, points, bold, font, QFontMetricsF(font, m_device)});
    }

private:
    const QPaintDevice *m_device;
    std::deque<Entry> m_entries; // entries stay where they are
};

// Where the drawn columns and rows lie in device pixels, rounded from the
// cumulative twips so that neighbouring cells share their edges exactly.
struct Layout
{
    std::vector<int> cols;
    std::vector<double> xs; // cols.size() + 1 edges
    std::vector<int> rows;
    std::vector<double> ys; // rows.size() + 1 edges
    int next = 0;           // the first row not drawn whole
};

Layout layoutOf(const FlexGridStore &grid, const GridPaintArea &area)
{
    Layout l;
    for (int c = 0; c < grid.fixedCols(); ++c)
        l.cols.push_back(c);
    for (int c = std::max(area.firstCol, grid.fixedCols()); c < grid.cols(); ++c)
        l.cols.push_back(c);
    long long twips = 0;
    l.xs.push_back(area.rect.left());
    for (int c : l.cols) {
        twips += grid.colWidth(c);
        l.xs.push_back(area.rect.left() + std::round(static_cast<double>(twips) * area.pixelsPerTwipX));
    }
    twips = 0;
    l.ys.push_back(area.rect.top());
    const auto rowBottom = [&](int r) {
        return area.rect.top() + std::round(static_cast<double>(twips + grid.rowHeight(r)) * area.pixelsPerTwipY);
    };
    const auto take = [&](int r, double bottom) {
        twips += grid.rowHeight(r);
        l.rows.push_back(r);
        l.ys.push_back(bottom);
    };
    for (int r = 0; r < grid.fixedRows(); ++r)
        take(r, rowBottom(r));
    int r = std::max(area.firstRow, grid.fixedRows());
    bool drewBody = false;
    for (; r < grid.rows(); ++r) {
        if (l.ys.back() >= area.rect.bottom())
            break;
        const double bottom = rowBottom(r);
        // A row taller than a whole page is drawn cut rather than never.
        if (bottom > area.rect.bottom() && !area.partialRows && drewBody)
            break;
        take(r, bottom);
        drewBody = true;
        if (bottom > area.rect.bottom()) {
            ++r;
            break;
        }
    }
    l.next = area.partialRows && r < grid.rows() && l.ys.back() > area.rect.bottom() ? r - 1 : r;
    return l;
}

// One paint of the cells of a layout that meet a dirty rectangle: all fills,
// then all lines, then all texts, each setting the painter's state only where
// it changes. Lines lie inside their cells and texts are clipped to theirs,
// so the order draws what cell after cell would draw.
class CellsPainter
{
public:
    CellsPainter(QPainter &painter, const FlexGridStore &grid, const Layout &layout, const QRectF &dirty)
        : m_p(painter),
          m_grid(grid),
          m_l(layout),
          m_fonts(painter.device())
    {
        const int dpi = painter.device()->logicalDpiX();
        m_padding = std::max(1.0, std::round(dpi / 48.0));
        m_line = std::max(1.0, std::round(dpi / 96.0));
        m_c1 = m_l.cols.size();
        m_r1 = m_l.rows.size();
        if (dirty.isEmpty())
            return;
        while (m_c0 < m_c1 && m_l.xs[m_c0 + 1] <= dirty.left())
            ++m_c0;
        while (m_c1 > m_c0 && m_l.xs[m_c1 - 1] >= dirty.right())
            --m_c1;
        while (m_r0 < m_r1 && m_l.ys[m_r0 + 1] <= dirty.top())
            ++m_r0;
        while (m_r1 > m_r0 && m_l.ys[m_r1 - 1] >= dirty.bottom())
            --m_r1;
    }

    void paint()
    {
        fills();
        lines();
        texts();
    }

private:
    bool fixed(int r, int c) const { return r < m_grid.fixedRows() || c < m_grid.fixedCols(); }

    GridRgb back(int r, int c) const
    {
        const FlexGridStore::CellFormat &f = m_grid.format(r, c);
        if (f.hasBackColor)
            return f.backColor;
        return fixed(r, c) ? m_grid.backColorFixed() : m_grid.backColor();
    }

    // One rectangle for each run of one colour in a row.
    void fills()
    {
        for (size_t i = m_r0; i < m_r1; ++i) {
            const double top = m_l.ys[i];
            const double height = m_l.ys[i + 1] - top;
            if (height <= 0.0)
                continue;
            const int r = m_l.rows[i];
            for (size_t j = m_c0; j < m_c1;) {
                const GridRgb color = back(r, m_l.cols[j]);
                size_t k = j + 1;
                while (k < m_c1 && back(r, m_l.cols[k]) == color)
                    ++k;
                if (m_l.xs[k] > m_l.xs[j])
                    m_p.fillRect(QRectF(m_l.xs[j], top, m_l.xs[k] - m_l.xs[j], height), QColor(color));
                j = k;
            }
        }
    }

    // Each cell's right and bottom line, in the cells' order, since where
    // lines of two colours meet the later one covers the other. A batch is a
    // stretch of one colour; within it a column's line over several rows, or
    // a row's line over several columns, is one line.
    void lines()
    {
        QPen pen;
        pen.setWidthF(m_line);
        std::vector<QLineF> batch;
        GridRgb batchColor = 0;
        std::vector<qsizetype> vertical(m_c1, -1); // per column, its open line in the batch
        const auto flush = [&]() {
            if (batch.empty())
                return;
            pen.setColor(QColor(batchColor));
            m_p.setPen(pen);
            m_p.drawLines(batch.data(), static_cast<int>(batch.size()));
            batch.clear();
            std::fill(vertical.begin(), vertical.end(), -1);
        };
        for (size_t i = m_r0; i < m_r1; ++i) {
            const double top = m_l.ys[i];
            const double bottom = m_l.ys[i + 1];
            if (bottom <= top)
                continue;
            const int r = m_l.rows[i];
            qsizetype horizontal = -1;
            for (size_t j = m_c0; j < m_c1; ++j) {
                const double left = m_l.xs[j];
                const double right = m_l.xs[j + 1];
                if (right <= left)
                    continue;
                const GridRgb color = fixed(r, m_l.cols[j]) ? HeadingLineColor : m_grid.gridColor();
                if (color != batchColor || batch.empty()) {
                    flush();
                    batchColor = color;
                    horizontal = -1;
                }
                const double x = right - m_line / 2.0;
                if (vertical[j] >= 0 && batch[static_cast<size_t>(vertical[j])].y2() == top) {
                    batch[static_cast<size_t>(vertical[j])].setP2(QPointF(x, bottom));
                } else {
                    vertical[j] = static_cast<qsizetype>(batch.size());
                    batch.emplace_back(QPointF(x, top), QPointF(x, bottom));
                }
                const double y = bottom - m_line / 2.0;
                if (horizontal >= 0 && batch[static_cast<size_t>(horizontal)].x2() == left) {
                    batch[static_cast<size_t>(horizontal)].setP2(QPointF(right, y));
                } else {
                    horizontal = static_cast<qsizetype>(batch.size());
                    batch.emplace_back(QPointF(left, y), QPointF(right, y));
                }
            }
        }
        flush();
    }

    void texts()
    {
        for (size_t i = m_r0; i < m_r1; ++i) {
            const double top = m_l.ys[i];
            const double bottom = m_l.ys[i + 1];
            if (bottom <= top)
                continue;
            for (size_t j = m_c0; j < m_c1; ++j) {
                if (m_l.xs[j + 1] > m_l.xs[j])
                    text(m_l.rows[i], m_l.cols[j], QRectF(m_l.xs[j], top, m_l.xs[j + 1] - m_l.xs[j], bottom - top));
            }
        }
    }

    void text(int r, int c, const QRectF &cell)
    {
        const QString &text = m_grid.textMatrix(r, c);
        if (text.isEmpty())
            return;
        const FlexGridStore::CellFormat &f = m_grid.format(r, c);
        const bool fixedRow = r < m_grid.fixedRows();
        const QRectF box = cell.adjusted(m_padding, 0, -m_padding, 0);
        const FontCache::Entry &entry = m_fonts.get(f.fontName.isEmpty() ? m_grid.fontName() : f.fontName,
                                                    f.fontSize > 0.0F ? f.fontSize : m_grid.fontSize(), f.bold);
        const QFontMetricsF *metrics = &entry.metrics;
        double width = -1.0; // not measured
        if (fixed(r, c)) {
            width = entry.metrics.horizontalAdvance(text);
            if (width > box.width() && box.width() > 0.0) {
                const QFont fitted = fittedFont(entry.font, width, text, box.width(), m_p.device());
                m_fitted = QFontMetricsF(fitted, m_p.device());
                m_p.setFont(fitted);
                m_font = nullptr;
                metrics = &*m_fitted;
                width = metrics->horizontalAdvance(text);
            }
        }
        if (metrics == &entry.metrics && m_font != &entry) {
            m_p.setFont(entry.font);
            m_font = &entry;
        }
        const GridRgb color = f.hasForeColor ? f.foreColor : gridRgb(0, 0, 0);
        if (!m_textPen || color != m_textColor) {
            m_p.setPen(QColor(color));
            m_textPen = true;
            m_textColor = color;
        }
        const Qt::Alignment a = alignmentFor(fixedRow ? m_grid.colAlignmentFixed(c) : FlexAlign::General, text);
        if (needsLayout(text)) {
            m_p.save();
            m_p.setClipRect(cell, m_p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
            m_p.drawText(box, static_cast<int>(a), text);
            m_p.restore();
            return;
        }
        // A left-aligned text narrower than its box even in the widest
        // glyphs needs no measuring.
        const bool surelyFits =
            (a & Qt::AlignLeft) && static_cast<double>(text.size()) * metrics->maxWidth() <= box.width();
        if (width < 0.0)
            width = surelyFits ? 0.0 : metrics->horizontalAdvance(text);
        double x = box.left();
        if (a & Qt::AlignRight)
            x += box.width() - width;
        else if (a & Qt::AlignHCenter)
            x += (box.width() - width) / 2.0;
        const double height = metrics->height();
        double y = box.top();
        if (a & Qt::AlignVCenter)
            y += (box.height() - height) / 2.0;
        else if (a & Qt::AlignBottom)
            y += box.height() - height;
        // Only a text larger than its box is clipped to it, as a text laid
        // out in the box would be.
        const bool clip = !box.contains(QRectF(x, y, width, height));
        if (clip) {
            m_p.save();
            m_p.setClipRect(box, m_p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        }
        m_p.drawText(QPointF(x, y + metrics->ascent()), text);
        if (clip)
            m_p.restore();
    }

    QPainter &m_p;
    const FlexGridStore &m_grid;
    const Layout &m_l;
    FontCache m_fonts;
    std::optional<QFontMetricsF> m_fitted;
    const FontCache::Entry *m_font = nullptr; // the painter's font, when from the cache
    bool m_textPen = false;
    GridRgb m_textColor = 0;
    double m_padding = 1.0;
    double m_line = 1.0;
    size_t m_c0 = 0;
    size_t m_c1 = 0;
    size_t m_r0 = 0;
    size_t m_r1 = 0;
};

} // namespace

int GridPainter::paint(QPainter &painter, const FlexGridStore &grid, const GridPaintArea &area)
{
    const Layout layout = layoutOf(grid, area);
    CellsPainter(painter, grid, layout, area.dirty).paint();
    return layout.next;
}
