#pragma once

#include "platform/ui/FlexGrid.h"

#include <QString>

class QPaintDevice;
class QPainter;
class QPrinter;

// The page rectangle of a print job: the margins are millimetres from the
// edges of the device's printable area, converted at the device's own
// resolution and rounded to whole pixels, halves to the even neighbour.
GridPrintRecord gridPrintRecord(QPainter *painter, const QPaintDevice &device, float leftMargin, float topMargin,
                                float rightMargin, float bottomMargin);

// Prints grid on printer as one print job, page after page until the grid
// has drawn every row. A non-empty titel is printed at 10 mm and a non-empty
// datum at 16 mm from the top of every page. When many is above 0 and below
// the column count, only the first many columns are printed; the grid's
// widths and redraw switch are as before afterwards.
// Answers whether a job was handed to the printer: false when the grid
// refused to print or the printer could not be opened.
bool PrintGrid(FlexGrid &grid, QPrinter &printer, float leftMargin, float topMargin, float rightMargin,
               float bottomMargin, const QString &titel, const QString &datum, short many);

// Margins in millimetres from the printable area's edges.
struct PageMargins
{
    float left = 0.0F;
    float top = 0.0F;
    float right = 0.0F;
    float bottom = 0.0F;
};

// The same pages, every column, onto a painter that is already open on
// printer, from its current page on: so that one document holds several
// grids, each starting on a page of its own. The caller starts the page
// before and ends the painter after.
bool PrintGridOnPage(FlexGrid &grid, QPainter &painter, QPrinter &printer, const PageMargins &margins,
                     const QString &titel = QString());
