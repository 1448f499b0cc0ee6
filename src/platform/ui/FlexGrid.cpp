#include "platform/ui/FlexGrid.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/GridPainter.h"
#include "platform/ui/Screen.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>
#include <utility>

FlexGrid::FlexGrid(QWidget *parent, int rows, int cols, int fixedRows, int fixedCols)
    : QAbstractScrollArea(parent),
      m_store(rows, cols, fixedRows, fixedCols)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_topRow = m_store.fixedRows();
    m_leftCol = m_store.fixedCols();
    m_store.changed = [this] {
        if (m_store.redraw()) {
            updateScrollBars();
            viewport()->update();
        }
    };
    // A key changes a few cells: only they are painted again. A hidden grid
    // paints whole once shown, and one without redraw once it is switched on.
    m_store.cellChanged = [this](int row, int col) {
        if (!m_store.redraw() || !isVisible())
            return;
        if (const QRect rect = cellRect(row, col); !rect.isEmpty())
            viewport()->update(rect);
    };
    // A hidden grid scrolls once it is shown: the print-out makes every cell
    // current in turn while the main window is hidden.
    m_store.currentMoved = [this] {
        if (isVisible())
            ensureCurrentVisible();
        else
            m_scrollOnShow = true;
    };
}

double FlexGrid::pixelsPerTwip() const
{
    return Screen::logicalDpi() / 1440.0;
}

int FlexGrid::textTwips(const QString &text) const
{
    const double dpi = Screen::logicalDpi();
    // As the painter pads a cell's text and draws the line inside the cell;
    // one pixel more for the edges, which are rounded from the twips.
    const double padding = std::max(1.0, std::round(dpi / 48.0));
    const double line = std::max(1.0, std::round(dpi / 96.0));
    const QFontMetricsF metrics(Fonts::font(m_store.fontName(), m_store.fontSize(), false), viewport());
    const double pixels = metrics.horizontalAdvance(text) + 2.0 * padding + line + 1.0;
    return static_cast<int>(std::ceil(Screen::pixelsToTwips(pixels)));
}

int FlexGrid::pixelX(long long twips) const
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * pixelsPerTwip()));
}

int FlexGrid::pixelY(long long twips) const
{
    return pixelX(twips);
}

long long FlexGrid::visibleLeftTwips(int col, double limit) const
{
    // Fixed columns first, then the columns from leftCol on.
    long long left = 0;
    for (int c = 0; c < m_store.fixedCols() && c < col; ++c)
        left += m_store.colWidth(c);
    for (int c = std::max(m_leftCol, m_store.fixedCols()); c < col; ++c) {
        left += m_store.colWidth(c);
        if (static_cast<double>(left) > limit)
            return -1;
    }
    return left;
}

long long FlexGrid::visibleTopTwips(int row, double limit) const
{
    long long top = 0;
    for (int r = 0; r < m_store.fixedRows() && r < row; ++r)
        top += m_store.rowHeight(r);
    for (int r = std::max(m_topRow, m_store.fixedRows()); r < row; ++r) {
        top += m_store.rowHeight(r);
        if (static_cast<double>(top) > limit)
            return -1;
    }
    return top;
}

// Pixel-aligned twips, so that what the program places over a cell lands on it.
int FlexGrid::cellLeft() const
{
    return static_cast<int>(std::lround(Screen::pixelsToTwips(pixelX(visibleLeftTwips(m_store.col())))));
}

int FlexGrid::cellTop() const
{
    return static_cast<int>(std::lround(Screen::pixelsToTwips(pixelY(visibleTopTwips(m_store.row())))));
}

int FlexGrid::cellWidth() const
{
    const long long left = visibleLeftTwips(m_store.col());
    const int px = pixelX(left + m_store.colWidth(m_store.col())) - pixelX(left);
    return static_cast<int>(std::lround(Screen::pixelsToTwips(px)));
}

int FlexGrid::cellHeight() const
{
    const long long top = visibleTopTwips(m_store.row());
    const int px = pixelY(top + m_store.rowHeight(m_store.row())) - pixelY(top);
    return static_cast<int>(std::lround(Screen::pixelsToTwips(px)));
}

QRect FlexGrid::cellRect(int row, int col) const
{
    if (row < 0 || row >= m_store.rows() || col < 0 || col >= m_store.cols())
        return {};
    if ((row >= m_store.fixedRows() && row < m_topRow) || (col >= m_store.fixedCols() && col < m_leftCol))
        return {};
    // Cells past the viewport's edge are not walked to.
    const long long left = visibleLeftTwips(col, Screen::pixelsToTwips(viewport()->width()));
    const long long top = visibleTopTwips(row, Screen::pixelsToTwips(viewport()->height()));
    if (left < 0 || top < 0)
        return {};
    const int x = pixelX(left);
    const int y = pixelY(top);
    return QRect(x, y, pixelX(left + m_store.colWidth(col)) - x, pixelY(top + m_store.rowHeight(row)) - y);
}

void FlexGrid::setTopRow(int row)
{
    row = std::clamp(row, m_store.fixedRows(), std::max(m_store.rows() - 1, m_store.fixedRows()));
    if (row == m_topRow)
        return;
    m_topRow = row;
    updateScrollBars();
    viewport()->update();
}

int FlexGrid::lastFullyVisibleRow(int topRow) const
{
    const int room = viewport()->height() - fixedRowsHeight();
    long long height = 0;
    int last = topRow - 1;
    for (int r = topRow; r < m_store.rows(); ++r) {
        height += m_store.rowHeight(r);
        if (pixelY(height) > room)
            break;
        last = r;
    }
    return last;
}

int FlexGrid::fixedRowsHeight() const
{
    long long top = 0;
    for (int r = 0; r < m_store.fixedRows(); ++r)
        top += m_store.rowHeight(r);
    return pixelY(top);
}

int FlexGrid::firstTopShowing(int row) const
{
    // The smallest top row that still shows `row` whole, walking up from it.
    const int room = viewport()->height() - fixedRowsHeight();
    long long height = 0;
    int top = row;
    for (int r = row; r >= m_store.fixedRows(); --r) {
        height += m_store.rowHeight(r);
        if (pixelY(height) > room)
            break;
        top = r;
    }
    return top;
}

void FlexGrid::ensureCurrentVisible()
{
    const int oldTop = m_topRow;
    const int oldLeft = m_leftCol;
    const int row = m_store.row();
    const int col = m_store.col();
    if (row >= m_store.fixedRows()) {
        if (row < m_topRow)
            m_topRow = row;
        else if (lastFullyVisibleRow(m_topRow) < row)
            m_topRow = std::max(firstTopShowing(row), m_topRow);
    }
    if (m_topRow >= m_store.rows())
        m_topRow = std::max(m_store.fixedRows(), m_store.rows() - 1);
    if (col >= m_store.fixedCols()) {
        if (col < m_leftCol)
            m_leftCol = col;
        while (m_leftCol < col && pixelX(visibleLeftTwips(col) + m_store.colWidth(col)) > viewport()->width())
            ++m_leftCol;
    }
    // A move within sight changes no pixel of the grid.
    if (m_topRow == oldTop && m_leftCol == oldLeft)
        return;
    updateScrollBars();
    viewport()->update();
}

void FlexGrid::updateScrollBars()
{
    // Without scroll bars when everything fits the whole control; otherwise
    // a bar shown for one direction would take room from the other.
    const bool fits = pixelX(m_store.totalWidth()) <= width() && pixelY(m_store.totalHeight()) <= height();
    const Qt::ScrollBarPolicy policy = fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    if (verticalScrollBarPolicy() != policy) {
        setVerticalScrollBarPolicy(policy);
        setHorizontalScrollBarPolicy(policy);
    }
    if (fits) {
        m_topRow = m_store.fixedRows();
        m_leftCol = m_store.fixedCols();
    }
    // Scroll positions count whole rows and columns past the fixed ones.
    const int lastRow = std::max(m_store.rows() - 1, m_store.fixedRows());
    const int maxTop = std::max(firstTopShowing(lastRow), m_store.fixedRows());
    // The bars must tell the scroll area of their new ranges, which shows or
    // hides them; moving them meanwhile must not move the rows shown.
    const bool wasSetting = std::exchange(m_settingBars, true);
    verticalScrollBar()->setRange(m_store.fixedRows(), maxTop);
    verticalScrollBar()->setPageStep(std::max(1, lastFullyVisibleRow(m_topRow) - m_topRow + 1));
    verticalScrollBar()->setValue(m_topRow);

    int maxLeft = m_store.fixedCols();
    while (maxLeft < m_store.cols() - 1) {
        long long rest = 0;
        for (int c = 0; c < m_store.fixedCols(); ++c)
            rest += m_store.colWidth(c);
        for (int c = maxLeft; c < m_store.cols(); ++c)
            rest += m_store.colWidth(c);
        if (pixelX(rest) <= viewport()->width())
            break;
        ++maxLeft;
    }
    horizontalScrollBar()->setRange(m_store.fixedCols(), std::max(maxLeft, m_store.fixedCols()));
    horizontalScrollBar()->setValue(m_leftCol);
    m_settingBars = wasSetting;
}

void FlexGrid::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_scrollOnShow) {
        m_scrollOnShow = false;
        ensureCurrentVisible();
    }
}

void FlexGrid::scrollContentsBy(int, int)
{
    if (m_settingBars)
        return;
    m_topRow = verticalScrollBar()->value();
    m_leftCol = horizontalScrollBar()->value();
    viewport()->update();
}

void FlexGrid::refresh()
{
    if (!m_store.redraw())
        return;
    updateScrollBars();
    viewport()->repaint();
}

void FlexGrid::paintEvent(QPaintEvent *event)
{
    m_store.clearChanged();
    if (!m_store.redraw())
        return;
    QPainter p(viewport());
    // Each rectangle of the region alone: a key's cells lie far apart.
    for (const QRect &dirty : event->region()) {
        p.fillRect(dirty, QColor(m_store.backColorBkg()));
        const GridPaintArea area{QRectF(viewport()->rect()), pixelsPerTwip(), pixelsPerTwip(), m_topRow, m_leftCol,
                                 true, QRectF(dirty)};
        GridPainter::paint(p, m_store, area);
    }
}

qint32 FlexGrid::printRequest(int request, const GridPrintRecord *record)
{
    if (request == PrintStart && !record) {
        if (m_printNextRow >= 0)
            return 0;
        m_printNextRow = m_store.fixedRows();
        return PrintReady;
    }
    if (request != PrintPage)
        return 0;
    if (!record) {
        m_printNextRow = -1;
        return 0;
    }
    if (m_printNextRow < 0 || !record->device || !record->device->isActive())
        return -1;
    QPainter &p = *record->device;
    const QRectF rect(QPointF(record->left, record->top), QPointF(record->right, record->bottom));
    if (rect.width() <= 0.0 || rect.height() <= 0.0)
        return -1;
    const GridPaintArea area{rect,
                             p.device()->logicalDpiX() / 1440.0,
                             p.device()->logicalDpiY() / 1440.0,
                             m_printNextRow,
                             m_store.fixedCols(),
                             false};
    p.save();
    p.setClipRect(rect);
    const int next = GridPainter::paint(p, m_store, area);
    p.restore();
    // A page that takes no row (headings filling the rectangle) would repeat forever.
    if (next >= m_store.rows() || next == m_printNextRow)
        return -1;
    m_printNextRow = next;
    return next;
}

bool FlexGrid::hitCell(const QPoint &pos, int &row, int &col) const
{
    row = -1;
    col = -1;
    for (int r = 0; r < m_store.rows(); ++r) {
        if (r >= m_store.fixedRows() && r < m_topRow)
            continue;
        const long long top = visibleTopTwips(r);
        if (pos.y() >= pixelY(top) && pos.y() < pixelY(top + m_store.rowHeight(r))) {
            row = r;
            break;
        }
    }
    for (int c = 0; c < m_store.cols(); ++c) {
        if (c >= m_store.fixedCols() && c < m_leftCol)
            continue;
        const long long left = visibleLeftTwips(c);
        if (pos.x() >= pixelX(left) && pos.x() < pixelX(left + m_store.colWidth(c))) {
            col = c;
            break;
        }
    }
    return row >= 0 && col >= 0;
}

void FlexGrid::mousePressEvent(QMouseEvent *event)
{
    // The focus moves first, so the editor box loses it before the cell changes.
    setFocus(Qt::MouseFocusReason);
    m_pressedInside = false;
    if (event->button() != Qt::LeftButton)
        return;
    int row = 0;
    int col = 0;
    if (!hitCell(event->position().toPoint(), row, col))
        return;
    m_pressedInside = true;
    if (row >= m_store.fixedRows() && col >= m_store.fixedCols()) {
        m_store.setRowCol(row, col);
        // A move the program refused is no click on that cell either.
        m_pressedInside = m_store.row() == row && m_store.col() == col;
    }
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_pressedInside && click)
        click();
    m_pressedInside = false;
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    if (keyPress && keyPress(event))
        return;
    int row = m_store.row();
    int col = m_store.col();
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(row - 1, m_store.fixedRows());
        break;
    case Qt::Key_Down:
        row = std::min(row + 1, m_store.rows() - 1);
        break;
    case Qt::Key_Left:
        col = std::max(col - 1, m_store.fixedCols());
        break;
    case Qt::Key_Right:
        col = std::min(col + 1, m_store.cols() - 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    m_store.setRowCol(row, col);
}

void FlexGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (gotFocus)
        gotFocus();
}

void FlexGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    if (lostFocus)
        lostFocus();
}

void FlexGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}
