#pragma once

#include <QRectF>

class FlexGridStore;
class QPainter;

// Draws a grid's cells onto any painter: the screen widget and the print
// service share it, so a print-out shows what the screen shows.
struct GridPaintArea
{
    QRectF rect;           // device pixels the grid may use
    double pixelsPerTwipX; // device pixels per twip
    double pixelsPerTwipY;
    int firstRow;      // first non-fixed row to draw
    int firstCol;      // first non-fixed column to draw
    bool partialRows;  // a screen shows a cut last row, a page does not
    QRectF dirty = {}; // only cells meeting it are drawn; empty: all
};

namespace GridPainter {
// Paints the fixed rows and then rows from area.firstRow on while they fit.
// Returns the first row that was not drawn whole (rows() when all were).
int paint(QPainter &painter, const FlexGridStore &grid, const GridPaintArea &area);
} // namespace GridPainter
