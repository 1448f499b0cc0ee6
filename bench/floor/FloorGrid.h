#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

class FlexGridStore;
class QPaintDevice;
class QPainter;

// The floor of painting a grid: how each cell looks, read once from Barlog's
// grid store in a floor's set-up, and the least work that puts the same
// pixels on a device. Fonts, pens and brushes are set once per paint; fills
// of neighbouring cells of one colour are one rectangle and lines of one
// colour one batch; text is clipped only where it overflows its cell.
class FloorGrid
{
public:
    FloorGrid(const FlexGridStore &store, int firstCol);

    // Where the painted columns and rows lie, in device pixels, as the grid
    // rounds them from its twips: column edges from left, row edges from top.
    struct Layout
    {
        std::vector<int> cols;  // the painted columns, in order
        std::vector<double> xs; // cols.size() + 1 edges
        std::vector<int> rows;  // the painted rows, in order
        std::vector<double> ys; // rows.size() + 1 edges
        QRectF rect;            // the whole area
    };
    // The heading rows, then rows from firstRow on while they begin within the
    // area; a page takes only whole rows (at least one).
    Layout layout(QRectF area, double pixelsPerTwipX, double pixelsPerTwipY, int firstRow, bool partialRows) const;

    // Makes the fonts for a device; once per paint device, before painting.
    void prepare(const QPaintDevice *device);
    // Gives one cell another text colour, as a negative balance gets red.
    void setTextColor(int row, int col, QColor color);

    // Paints the cells of layout that meet dirty (all when it is empty);
    // texts is row-major with the store's column count.
    void paint(QPainter &painter, const Layout &layout, const QString *texts, QRectF dirty = {});

    int lastDrawnRow(const Layout &layout) const { return layout.rows.empty() ? -1 : layout.rows.back(); }

private:
    struct Style
    {
        QRgb back;
        QRgb line;
        QRgb text;
        int font;      // into m_fonts
        int alignment; // Qt flags; 0 for "numbers right, text left"
        bool heading;  // shrunk to fit its cell
        bool operator==(const Style &o) const = default;
    };
    int styleIndex(const Style &style);
    const Style &styleOf(int row, int col) const { return m_styles[m_cellStyle[cell(row, col)]]; }
    size_t cell(int row, int col) const { return static_cast<size_t>(row) * static_cast<size_t>(m_cols) + col; }

    struct FontSpec
    {
        QString family;
        double points;
        bool bold;
        bool operator==(const FontSpec &o) const = default;
    };
    int fontIndex(const FontSpec &wanted);

    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    int m_firstCol = 0;
    std::vector<int> m_colTwips;
    std::vector<int> m_rowTwips;
    QRgb m_background = 0;
    std::vector<Style> m_styles;
    std::vector<std::uint16_t> m_cellStyle;
    std::vector<FontSpec> m_fontSpecs;
    std::vector<QFont> m_fonts; // per font wanted, for the prepared device
    const QPaintDevice *m_device = nullptr;
};
