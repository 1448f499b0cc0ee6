#include "platform/FlexGridStore.h"

#include <QStringList>

#include <algorithm>

const QString &FlexGridStore::emptyText()
{
    static const QString empty;
    return empty;
}

namespace {
const FlexGridStore::CellFormat &defaultFormat()
{
    static const FlexGridStore::CellFormat format;
    return format;
}
} // namespace

FlexGridStore::FlexGridStore(int rows, int cols, int fixedRows, int fixedCols)
{
    setCols(cols);
    setRows(rows);
    m_fixedRows = std::clamp(fixedRows, 0, this->rows());
    m_fixedCols = std::clamp(fixedCols, 0, m_cols);
    m_row = std::min(m_fixedRows, std::max(this->rows() - 1, 0));
    m_col = std::min(m_fixedCols, std::max(m_cols - 1, 0));
}

FlexGridStore::Row FlexGridStore::makeRow() const
{
    Row r;
    r.texts.resize(static_cast<size_t>(m_cols));
    r.formats.resize(static_cast<size_t>(m_cols));
    r.height = m_rows.empty() ? DefaultRowHeight : m_rows.back().height;
    return r;
}

void FlexGridStore::setRows(int rows)
{
    rows = std::max(rows, m_fixedRows);
    rows = std::max(rows, 0);
    if (rows == this->rows())
        return;
    if (rows < this->rows()) {
        m_rows.resize(static_cast<size_t>(rows));
    } else {
        m_rows.reserve(static_cast<size_t>(rows));
        while (this->rows() < rows)
            m_rows.push_back(makeRow());
    }
    // The cell that was current is gone with its row: there is nothing to
    // leave, so the current row moves up without notifications.
    if (m_row >= rows) {
        m_row = std::max(rows - 1, 0);
        if (currentMoved)
            currentMoved();
    }
    notifyChanged();
}

void FlexGridStore::setCols(int cols)
{
    cols = std::max(cols, std::max(m_fixedCols, 0));
    if (cols == m_cols)
        return;
    m_cols = cols;
    for (Row &r : m_rows) {
        r.texts.resize(static_cast<size_t>(cols));
        r.formats.resize(static_cast<size_t>(cols));
    }
    m_colWidths.resize(static_cast<size_t>(cols), DefaultColWidth);
    m_fixedAlignment.resize(static_cast<size_t>(cols), FlexAlign::General);
    if (m_col >= cols)
        m_col = std::max(cols - 1, 0);
    notifyChanged();
}

void FlexGridStore::setFixedRows(int n)
{
    m_fixedRows = std::clamp(n, 0, rows());
    notifyChanged();
}

void FlexGridStore::setFixedCols(int n)
{
    m_fixedCols = std::clamp(n, 0, m_cols);
    notifyChanged();
}

void FlexGridStore::moveTo(int row, int col)
{
    if (!valid(row, col) || (row == m_row && col == m_col))
        return;
    if (mayLeaveCell && !mayLeaveCell())
        return;
    if (leaveCell)
        leaveCell();
    // The grid draws no mark on the current cell: moving it repaints nothing.
    m_row = row;
    m_col = col;
    if (currentMoved)
        currentMoved();
    if (rowColChange)
        rowColChange();
}

void FlexGridStore::setRow(int row)
{
    moveTo(row, m_col);
}

void FlexGridStore::setCol(int col)
{
    moveTo(m_row, col);
}

void FlexGridStore::setRowCol(int row, int col)
{
    moveTo(row, col);
}

void FlexGridStore::setTextMatrix(int row, int col, const QString &text)
{
    if (!valid(row, col))
        return;
    QString &cell = m_rows[static_cast<size_t>(row)].texts[static_cast<size_t>(col)];
    if (cell == text)
        return;
    cell = text;
    notifyCellChanged(row, col);
}

void FlexGridStore::setTextMatrix(int row, int col, QLatin1StringView text)
{
    if (!valid(row, col))
        return;
    QString &cell = m_rows[static_cast<size_t>(row)].texts[static_cast<size_t>(col)];
    // The recalculation writes every balance after every key: a short text
    // is compared in place.
    if (cell.size() == text.size()
        && std::equal(text.begin(), text.end(), cell.cbegin(),
                      [](char a, QChar b) { return b.unicode() == static_cast<unsigned char>(a); }))
        return;
    cell = QString(text);
    notifyCellChanged(row, col);
}

void FlexGridStore::addItem(const QString &text, int index)
{
    if (index < 0 || index > rows())
        return;
    Row r = makeRow();
    if (index < rows())
        r.height = m_rows[static_cast<size_t>(index)].height;
    const QStringList parts = text.split(QLatin1Char('\t'));
    for (int c = 0; c < m_cols && c < parts.size(); ++c)
        r.texts[static_cast<size_t>(c)] = parts[c];
    m_rows.insert(m_rows.begin() + index, std::move(r));
    notifyChanged();
}

int FlexGridStore::colWidth(int col) const
{
    if (col < 0 || col >= m_cols)
        return 0;
    return m_colWidths[static_cast<size_t>(col)];
}

void FlexGridStore::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols)
        return;
    int &width = m_colWidths[static_cast<size_t>(col)];
    const int wanted = twips < 0 ? DefaultColWidth : twips;
    if (width == wanted)
        return;
    width = wanted;
    notifyChanged();
}

int FlexGridStore::rowHeight(int row) const
{
    if (row < 0 || row >= rows())
        return 0;
    return m_rows[static_cast<size_t>(row)].height;
}

void FlexGridStore::setRowHeight(int row, int twips)
{
    if (row < 0 || row >= rows())
        return;
    m_rows[static_cast<size_t>(row)].height = twips < 0 ? DefaultRowHeight : twips;
    notifyChanged();
}

void FlexGridStore::setAllRowHeights(int twips)
{
    for (Row &r : m_rows)
        r.height = twips < 0 ? DefaultRowHeight : twips;
    notifyChanged();
}

const FlexGridStore::CellFormat &FlexGridStore::format(int row, int col) const
{
    if (!valid(row, col))
        return defaultFormat();
    return m_rows[static_cast<size_t>(row)].formats[static_cast<size_t>(col)];
}

FlexGridStore::CellFormat &FlexGridStore::currentFormat()
{
    return m_rows[static_cast<size_t>(m_row)].formats[static_cast<size_t>(m_col)];
}

void FlexGridStore::setCellFontBold(bool bold)
{
    if (!valid(m_row, m_col))
        return;
    if (currentFormat().bold == bold)
        return;
    currentFormat().bold = bold;
    notifyCellChanged(m_row, m_col);
}

float FlexGridStore::cellFontSize() const
{
    const float size = format(m_row, m_col).fontSize;
    return size > 0.0F ? size : m_fontSize;
}

void FlexGridStore::setCellFontSize(float points)
{
    if (!valid(m_row, m_col))
        return;
    currentFormat().fontSize = points;
    notifyCellChanged(m_row, m_col);
}

QString FlexGridStore::cellFontName() const
{
    const QString &name = format(m_row, m_col).fontName;
    return name.isEmpty() ? m_fontName : name;
}

void FlexGridStore::setCellFontName(const QString &name)
{
    if (!valid(m_row, m_col))
        return;
    currentFormat().fontName = name;
    notifyCellChanged(m_row, m_col);
}

GridRgb FlexGridStore::cellBackColor() const
{
    const CellFormat &f = format(m_row, m_col);
    if (f.hasBackColor)
        return f.backColor;
    return m_row < m_fixedRows || m_col < m_fixedCols ? m_backColorFixed : m_backColor;
}

void FlexGridStore::setCellBackColor(GridRgb color)
{
    if (!valid(m_row, m_col))
        return;
    currentFormat().hasBackColor = true;
    currentFormat().backColor = color;
    notifyCellChanged(m_row, m_col);
}

void FlexGridStore::setForeColorAt(int row, int col, std::optional<GridRgb> color)
{
    if (!valid(row, col))
        return;
    CellFormat &f = m_rows[static_cast<size_t>(row)].formats[static_cast<size_t>(col)];
    const GridRgb value = color.value_or(0);
    if (f.hasForeColor == color.has_value() && f.foreColor == value)
        return;
    f.hasForeColor = color.has_value();
    f.foreColor = value;
    notifyCellChanged(row, col);
}

int FlexGridStore::colAlignmentFixed(int col) const
{
    if (col < 0 || col >= m_cols)
        return 9;
    return m_fixedAlignment[static_cast<size_t>(col)];
}

void FlexGridStore::setColAlignmentFixed(int col, int code)
{
    if (col < 0 || col >= m_cols)
        return;
    m_fixedAlignment[static_cast<size_t>(col)] = code;
    notifyChanged();
}

void FlexGridStore::setFontName(const QString &name)
{
    m_fontName = name;
    notifyChanged();
}

void FlexGridStore::setFontSize(float points)
{
    m_fontSize = points;
    notifyChanged();
}

void FlexGridStore::setRedraw(bool on)
{
    m_redraw = on;
    notifyChanged();
}

int FlexGridStore::totalWidth() const
{
    int sum = 0;
    for (int w : m_colWidths)
        sum += w;
    return sum;
}

int FlexGridStore::totalHeight() const
{
    int sum = 0;
    for (const Row &r : m_rows)
        sum += r.height;
    return sum;
}

int FlexGridStore::colLeft(int col) const
{
    int left = 0;
    for (int c = 0; c < col && c < m_cols; ++c)
        left += m_colWidths[static_cast<size_t>(c)];
    return left;
}

int FlexGridStore::rowTop(int row) const
{
    int top = 0;
    for (int r = 0; r < row && r < rows(); ++r)
        top += m_rows[static_cast<size_t>(r)].height;
    return top;
}

void FlexGridStore::notifyCellChanged(int row, int col)
{
    if (m_changedPending)
        return;
    if (cellChanged)
        cellChanged(row, col);
    else
        notifyChanged();
}

void FlexGridStore::notifyChanged()
{
    if (m_changedPending || !changed)
        return;
    m_changedPending = true;
    changed();
}
