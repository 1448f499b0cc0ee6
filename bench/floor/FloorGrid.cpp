#include "FloorGrid.h"

#include "platform/FlexGridStore.h"
#include "platform/ui/Fonts.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr QRgb HeadingLine = 0xFF808080;

// "-1.234,56" and the like, with blanks around: the texts shown on the right.
bool looksNumeric(const QString &text)
{
    const QChar *c = text.constData();
    const QChar *end = c + text.size();
    while (c != end && c->isSpace())
        ++c;
    if (c != end && *c == u'-')
        ++c;
    if (c == end || !c->isDigit() || c->unicode() > u'9')
        return false;
    while (c != end && ((*c >= u'0' && *c <= u'9') || *c == u'.'))
        ++c;
    if (c != end && *c == u',') {
        ++c;
        if (c == end || *c < u'0' || *c > u'9')
            return false;
        while (c != end && *c >= u'0' && *c <= u'9')
            ++c;
    }
    while (c != end && c->isSpace())
        ++c;
    return c == end;
}

Qt::Alignment alignmentOf(int code)
{
    static const Qt::Alignment horizontal[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}
} // namespace

FloorGrid::FloorGrid(const FlexGridStore &store, int firstCol)
    : m_cols(store.cols()),
      m_fixedRows(store.fixedRows()),
      m_fixedCols(store.fixedCols()),
      m_firstCol(firstCol),
      m_background(store.backColorBkg())
{
    for (int c = 0; c < m_cols; ++c)
        m_colTwips.push_back(store.colWidth(c));
    m_cellStyle.resize(static_cast<size_t>(store.rows()) * static_cast<size_t>(m_cols));
    for (int r = 0; r < store.rows(); ++r) {
        m_rowTwips.push_back(store.rowHeight(r));
        for (int c = 0; c < m_cols; ++c) {
            const FlexGridStore::CellFormat &f = store.format(r, c);
            const bool fixedRow = r < m_fixedRows;
            const bool fixed = fixedRow || c < m_fixedCols;
            Style s{};
            s.back = f.hasBackColor ? f.backColor : fixed ? store.backColorFixed() : store.backColor();
            s.line = fixed ? HeadingLine : store.gridColor();
            s.text = f.hasForeColor ? f.foreColor : 0xFF000000;
            s.font = fontIndex({f.fontName.isEmpty() ? store.fontName() : f.fontName,
                                f.fontSize > 0.0F ? f.fontSize : store.fontSize(), f.bold});
            const int code = fixedRow ? store.colAlignmentFixed(c) : FlexAlign::General;
            s.alignment = code >= 0 && code < FlexAlign::General ? static_cast<int>(alignmentOf(code)) : 0;
            s.heading = fixed;
            m_cellStyle[cell(r, c)] = static_cast<std::uint16_t>(styleIndex(s));
        }
    }
}

int FloorGrid::styleIndex(const Style &style)
{
    const auto found = std::find(m_styles.begin(), m_styles.end(), style);
    if (found != m_styles.end())
        return static_cast<int>(found - m_styles.begin());
    m_styles.push_back(style);
    return static_cast<int>(m_styles.size()) - 1;
}

int FloorGrid::fontIndex(const FontSpec &wanted)
{
    const auto found = std::find(m_fontSpecs.begin(), m_fontSpecs.end(), wanted);
    if (found != m_fontSpecs.end())
        return static_cast<int>(found - m_fontSpecs.begin());
    m_fontSpecs.push_back(wanted);
    return static_cast<int>(m_fontSpecs.size()) - 1;
}

void FloorGrid::setTextColor(int row, int col, QColor color)
{
    Style s = styleOf(row, col);
    s.text = color.rgba();
    m_cellStyle[cell(row, col)] = static_cast<std::uint16_t>(styleIndex(s));
}

void FloorGrid::prepare(const QPaintDevice *device)
{
    m_device = device;
    m_fonts.clear();
    for (const FontSpec &font : m_fontSpecs)
        m_fonts.emplace_back(Fonts::font(font.family, font.points, font.bold), device);
}

FloorGrid::Layout FloorGrid::layout(QRectF area, double pixelsPerTwipX, double pixelsPerTwipY, int firstRow,
                                    bool partialRows) const
{
    Layout l;
    l.rect = area;
    for (int c = 0; c < m_fixedCols; ++c)
        l.cols.push_back(c);
    for (int c = std::max(m_firstCol, m_fixedCols); c < m_cols; ++c)
        l.cols.push_back(c);
    long long twips = 0;
    l.xs.push_back(area.left());
    for (int c : l.cols) {
        twips += m_colTwips[static_cast<size_t>(c)];
        l.xs.push_back(area.left() + std::round(static_cast<double>(twips) * pixelsPerTwipX));
    }
    twips = 0;
    l.ys.push_back(area.top());
    const auto take = [&](int r) {
        twips += m_rowTwips[static_cast<size_t>(r)];
        l.rows.push_back(r);
        l.ys.push_back(area.top() + std::round(static_cast<double>(twips) * pixelsPerTwipY));
    };
    for (int r = 0; r < m_fixedRows; ++r)
        take(r);
    const int rows = static_cast<int>(m_rowTwips.size());
    bool body = false;
    for (int r = std::max(firstRow, m_fixedRows); r < rows && l.ys.back() < area.bottom(); ++r) {
        const double bottom =
            area.top() + std::round(static_cast<double>(twips + m_rowTwips[static_cast<size_t>(r)]) * pixelsPerTwipY);
        if (bottom > area.bottom() && !partialRows && body)
            break;
        take(r);
        body = true;
        if (bottom > area.bottom())
            break;
    }
    return l;
}

void FloorGrid::paint(QPainter &p, const Layout &l, const QString *texts, QRectF dirty)
{
    if (dirty.isEmpty())
        dirty = l.rect.united(QRectF(l.rect.topLeft(), QSizeF(l.xs.back() - l.xs.front(), l.ys.back() - l.ys.front())));
    const int dpi = m_device->logicalDpiX();
    const double padding = std::max(1.0, std::round(dpi / 48.0));
    const double line = std::max(1.0, std::round(dpi / 96.0));
    // The columns and rows that meet the dirty rectangle.
    size_t c0 = 0;
    size_t c1 = l.cols.size();
    while (c0 < c1 && l.xs[c0 + 1] <= dirty.left())
        ++c0;
    while (c1 > c0 && l.xs[c1 - 1] >= dirty.right())
        --c1;
    size_t r0 = 0;
    size_t r1 = l.rows.size();
    while (r0 < r1 && l.ys[r0 + 1] <= dirty.top())
        ++r0;
    while (r1 > r0 && l.ys[r1 - 1] >= dirty.bottom())
        --r1;
    const auto width = [&l](size_t i) { return l.xs[i + 1] - l.xs[i]; };

    // Fills, one rectangle for each run of one colour in a row.
    for (size_t i = r0; i < r1; ++i) {
        const double top = l.ys[i];
        const double height = l.ys[i + 1] - top;
        if (height <= 0.0)
            continue;
        for (size_t j = c0; j < c1;) {
            const QRgb back = styleOf(l.rows[i], l.cols[j]).back;
            size_t k = j + 1;
            while (k < c1 && styleOf(l.rows[i], l.cols[k]).back == back)
                ++k;
            p.fillRect(QRectF(l.xs[j], top, l.xs[k] - l.xs[j], height), QColor::fromRgba(back));
            j = k;
        }
    }
    // Lines inside each cell's right and bottom edge, in the cells' order,
    // since where lines of two colours meet the later one covers the
    // other: a batch is a stretch of one colour, and within it a column's
    // line over several rows, or a row's line over several columns, is one.
    QPen pen;
    pen.setWidthF(line);
    std::vector<QLineF> batch;
    QRgb batchColor = 0;
    std::vector<qsizetype> vertical(c1, -1); // per column, its open line in the batch
    const auto flush = [&]() {
        if (batch.empty())
            return;
        pen.setColor(QColor::fromRgba(batchColor));
        p.setPen(pen);
        p.drawLines(batch.data(), static_cast<int>(batch.size()));
        batch.clear();
        std::fill(vertical.begin(), vertical.end(), -1);
    };
    for (size_t i = r0; i < r1; ++i) {
        const double top = l.ys[i];
        const double bottom = l.ys[i + 1];
        if (bottom - top <= 0.0)
            continue;
        qsizetype horizontal = -1;
        for (size_t j = c0; j < c1; ++j) {
            if (width(j) <= 0.0)
                continue;
            const QRgb color = styleOf(l.rows[i], l.cols[j]).line;
            if (color != batchColor || batch.empty()) {
                flush();
                batchColor = color;
                horizontal = -1;
            }
            const double x = l.xs[j + 1] - line / 2.0;
            if (vertical[j] >= 0 && batch[static_cast<size_t>(vertical[j])].y2() == top) {
                batch[static_cast<size_t>(vertical[j])].setP2(QPointF(x, bottom));
            } else {
                vertical[j] = static_cast<qsizetype>(batch.size());
                batch.emplace_back(QPointF(x, top), QPointF(x, bottom));
            }
            const double y = bottom - line / 2.0;
            if (horizontal >= 0 && batch[static_cast<size_t>(horizontal)].x2() == l.xs[j]) {
                batch[static_cast<size_t>(horizontal)].setP2(QPointF(l.xs[j + 1], y));
            } else {
                horizontal = static_cast<qsizetype>(batch.size());
                batch.emplace_back(QPointF(l.xs[j], y), QPointF(l.xs[j + 1], y));
            }
        }
    }
    flush();

    // Texts: the font and colour change only where a cell's differ.
    int font = -1;
    bool textPen = false;
    QRgb color = 0;
    QFontMetricsF metrics(m_fonts.front(), m_device);
    for (size_t i = r0; i < r1; ++i) {
        const int r = l.rows[i];
        const double top = l.ys[i];
        const double height = l.ys[i + 1] - top;
        for (size_t j = c0; j < c1; ++j) {
            const int c = l.cols[j];
            const QString &text = texts[cell(r, c)];
            if (text.isEmpty() || width(j) <= 0.0 || height <= 0.0)
                continue;
            const Style &s = styleOf(r, c);
            const QRectF box(l.xs[j] + padding, top, width(j) - 2.0 * padding, height);
            if (s.heading) {
                QFont fitted = m_fonts[static_cast<size_t>(s.font)];
                const double needed = QFontMetricsF(fitted, m_device).horizontalAdvance(text);
                if (needed > box.width() && box.width() > 0.0) {
                    fitted.setPointSizeF(std::max(4.0, fitted.pointSizeF() * box.width() / needed));
                    while (fitted.pointSizeF() > 4.0
                           && QFontMetricsF(fitted, m_device).horizontalAdvance(text) > box.width())
                        fitted.setPointSizeF(std::max(4.0, fitted.pointSizeF() - 0.25));
                }
                p.setFont(fitted);
                metrics = QFontMetricsF(fitted, m_device);
                font = -1;
            } else if (s.font != font) {
                font = s.font;
                p.setFont(m_fonts[static_cast<size_t>(font)]);
                metrics = QFontMetricsF(m_fonts[static_cast<size_t>(font)], m_device);
            }
            if (!textPen || s.text != color) {
                textPen = true;
                color = s.text;
                p.setPen(QColor::fromRgba(color));
            }
            const Qt::Alignment a = s.alignment != 0
                                        ? Qt::Alignment(s.alignment)
                                        : (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            const bool surelyFits = (a & Qt::AlignLeft) && text.size() * metrics.maxWidth() <= box.width();
            const double textWidth = surelyFits ? 0.0 : metrics.horizontalAdvance(text);
            double x = box.left();
            if (a & Qt::AlignRight)
                x += box.width() - textWidth;
            else if (a & Qt::AlignHCenter)
                x += (box.width() - textWidth) / 2.0;
            const double textHeight = metrics.height();
            double y = box.top();
            if (a & Qt::AlignVCenter)
                y += (box.height() - textHeight) / 2.0;
            else if (a & Qt::AlignBottom)
                y += box.height() - textHeight;
            // Where the text is larger than its box, the box clips it.
            const bool clip = !box.contains(QRectF(x, y, textWidth, textHeight));
            if (clip) {
                p.save();
                p.setClipRect(box, Qt::IntersectClip);
            }
            p.drawText(QPointF(x, y + metrics.ascent()), text);
            if (clip)
                p.restore();
        }
    }
}
