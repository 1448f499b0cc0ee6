#pragma once

#include <QString>

#include <cstdint>

#include <functional>
#include <optional>
#include <vector>

// The cells of a grid without any widget: texts, sizes in twips, per-cell
// formats and the current cell. The sheet lives only here while the program
// runs, so the recalculation and the storage work on this class directly.
//
// Moving the current cell calls leaveCell before the change and rowColChange
// after it, synchronously inside the setter; the editing rests on that order.
// Before both, mayLeaveCell may keep the cursor where it is.
// 0xAARRGGBB like Qt's GridRgb, without needing Qt's GUI module in the core.
using GridRgb = std::uint32_t;
constexpr GridRgb gridRgb(int r, int g, int b)
{
    return 0xFF000000U | (static_cast<GridRgb>(r & 0xFF) << 16) | (static_cast<GridRgb>(g & 0xFF) << 8)
           | static_cast<GridRgb>(b & 0xFF);
}

// The grid's alignment codes, as stored files and headings use them.
namespace FlexAlign {
constexpr int LeftTop = 0;
constexpr int LeftCenter = 1;
constexpr int LeftBottom = 2;
constexpr int CenterTop = 3;
constexpr int CenterCenter = 4;
constexpr int CenterBottom = 5;
constexpr int RightTop = 6;
constexpr int RightCenter = 7;
constexpr int RightBottom = 8;
// Text to the left, numbers to the right.
constexpr int General = 9;
} // namespace FlexAlign

class FlexGridStore
{
public:
    static constexpr int DefaultRowHeight = 240;
    static constexpr int DefaultColWidth = 960;

    struct CellFormat
    {
        bool bold = false;
        bool hasBackColor = false;
        GridRgb backColor = 0;
        bool hasForeColor = false; // else the text is black
        GridRgb foreColor = 0;
        float fontSize = 0.0F; // 0: the grid's own font size
        QString fontName;      // empty: the grid's own font
    };

    FlexGridStore(int rows = 2, int cols = 2, int fixedRows = 1, int fixedCols = 1);

    int rows() const { return static_cast<int>(m_rows.size()); }
    void setRows(int rows);
    int cols() const { return m_cols; }
    void setCols(int cols);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int n);
    int fixedCols() const { return m_fixedCols; }
    void setFixedCols(int n);

    int row() const { return m_row; }
    void setRow(int row);
    int col() const { return m_col; }
    void setCol(int col);
    // Moves to another row and column with one pair of notifications, as a click does.
    void setRowCol(int row, int col);

    const QString &textMatrix(int row, int col) const
    {
        if (!valid(row, col))
            return emptyText();
        return m_rows[static_cast<size_t>(row)].texts[static_cast<size_t>(col)];
    }
    void setTextMatrix(int row, int col, const QString &text);
    // The same for a text made in a buffer: it becomes a string only when
    // the cell changes.
    void setTextMatrix(int row, int col, QLatin1StringView text);
    const QString &text() const { return textMatrix(m_row, m_col); }
    void setText(const QString &text) { setTextMatrix(m_row, m_col, text); }

    // Inserts a row at index; tab characters in text separate its cells.
    void addItem(const QString &text, int index);

    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    void setAllRowHeights(int twips);

    // Formatting of one cell; the Cell* accessors work on the current cell.
    const CellFormat &format(int row, int col) const;
    bool cellFontBold() const { return format(m_row, m_col).bold; }
    void setCellFontBold(bool bold);
    float cellFontSize() const;
    void setCellFontSize(float points);
    QString cellFontName() const;
    void setCellFontName(const QString &name);
    GridRgb cellBackColor() const;
    void setCellBackColor(GridRgb color);
    // The text colour of any cell, without moving the current cell; nothing
    // gives the cell black text again.
    void setForeColorAt(int row, int col, std::optional<GridRgb> color);

    // One of the FlexAlign codes.
    int colAlignmentFixed(int col) const;
    void setColAlignmentFixed(int col, int code);

    // The grid's own font, used where a cell has none of its own.
    const QString &fontName() const { return m_fontName; }
    void setFontName(const QString &name);
    float fontSize() const { return m_fontSize; }
    void setFontSize(float points);

    GridRgb backColor() const { return m_backColor; }
    void setBackColor(GridRgb c)
    {
        m_backColor = c;
        notifyChanged();
    }
    GridRgb backColorFixed() const { return m_backColorFixed; }
    void setBackColorFixed(GridRgb c)
    {
        m_backColorFixed = c;
        notifyChanged();
    }
    GridRgb backColorBkg() const { return m_backColorBkg; }
    void setBackColorBkg(GridRgb c)
    {
        m_backColorBkg = c;
        notifyChanged();
    }
    GridRgb gridColor() const { return m_gridColor; }
    void setGridColor(GridRgb c)
    {
        m_gridColor = c;
        notifyChanged();
    }

    bool redraw() const { return m_redraw; }
    void setRedraw(bool on);

    // Total width of all columns and height of all rows, in twips.
    int totalWidth() const;
    int totalHeight() const;
    int colLeft(int col) const;
    int rowTop(int row) const;

    // Called after the current cell moved and before rowColChange, so that a
    // view can scroll the cell into sight before the program asks where it is.
    std::function<void()> currentMoved;
    // Notifications of the program's handlers. A move that mayLeaveCell
    // answers with false does not happen, and nothing else is called.
    std::function<bool()> mayLeaveCell;
    std::function<void()> leaveCell;
    std::function<void()> rowColChange;
    // Tells a view that something visible changed. Called once until the view
    // calls clearChanged(), so bulk writes cost one repaint request.
    std::function<void()> changed;
    void clearChanged() { m_changedPending = false; }
    // Tells a view that only one cell's text or format changed, so that it
    // repaints that cell alone; without it, changed is called. Not called
    // while a change of the whole grid waits for clearChanged().
    std::function<void(int row, int col)> cellChanged;

private:
    struct Row
    {
        std::vector<QString> texts;
        std::vector<CellFormat> formats;
        int height = DefaultRowHeight;
    };

    Row makeRow() const;
    void moveTo(int row, int col);
    void notifyChanged();
    void notifyCellChanged(int row, int col);
    bool valid(int row, int col) const
    {
        return row >= 0 && row < static_cast<int>(m_rows.size()) && col >= 0 && col < m_cols;
    }
    static const QString &emptyText();
    CellFormat &currentFormat();

    std::vector<Row> m_rows;
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    int m_row = 0;
    int m_col = 0;
    std::vector<int> m_colWidths;
    std::vector<int> m_fixedAlignment;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    float m_fontSize = 8.25F;
    GridRgb m_backColor = gridRgb(255, 255, 255);
    GridRgb m_backColorFixed = gridRgb(192, 192, 192);
    GridRgb m_backColorBkg = gridRgb(128, 128, 128);
    GridRgb m_gridColor = gridRgb(192, 192, 192);
    bool m_redraw = true;
    bool m_changedPending = false;
};
