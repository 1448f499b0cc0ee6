#include "printing/ui/PrintGrid.h"

#include "platform/Rounding.h"
#include "platform/ui/Fonts.h"

#include <QPainter>
#include <QPrinter>

#include <vector>

namespace {

double mmToPixels(double mm, int dpi)
{
    return mm * dpi / 25.4;
}

// A line of text whose top sits at the given position, as a printer prints
// a line at its current position.
void printLine(QPainter &painter, double x, double y, const QString &text)
{
    if (text.isEmpty())
        return;
    painter.drawText(QPointF(x, y + painter.fontMetrics().ascent()), text);
}

// Columns from many on get width 0 for the job; the destructor puts back
// their widths and the redraw switch, whatever way the job ends.
class HiddenColumns
{
public:
    HiddenColumns(FlexGridStore &store, int many) : m_store(store), m_first(many)
    {
        if (many <= 0 || store.cols() <= many)
            return;
        m_redraw = store.redraw();
        store.setRedraw(false);
        for (int c = many; c < store.cols(); ++c) {
            m_widths.push_back(store.colWidth(c));
            store.setColWidth(c, 0);
        }
        m_active = true;
    }
    ~HiddenColumns()
    {
        if (!m_active)
            return;
        for (size_t i = 0; i < m_widths.size(); ++i)
            m_store.setColWidth(m_first + static_cast<int>(i), m_widths[i]);
        m_store.setRedraw(m_redraw);
    }
    HiddenColumns(const HiddenColumns &) = delete;
    HiddenColumns &operator=(const HiddenColumns &) = delete;

private:
    FlexGridStore &m_store;
    int m_first;
    std::vector<int> m_widths;
    bool m_redraw = true;
    bool m_active = false;
};

} // namespace

GridPrintRecord gridPrintRecord(QPainter *painter, const QPaintDevice &device, float leftMargin, float topMargin,
                                float rightMargin, float bottomMargin)
{
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    GridPrintRecord record;
    record.device = painter;
    record.printableWidth = device.width();
    record.printableHeight = device.height();
    record.left = roundHalfEven(mmToPixels(leftMargin, dpiX));
    record.top = roundHalfEven(mmToPixels(topMargin, dpiY));
    record.right = record.printableWidth - roundHalfEven(mmToPixels(rightMargin, dpiX));
    record.bottom = record.printableHeight - roundHalfEven(mmToPixels(bottomMargin, dpiY));
    return record;
}

namespace {
// One grid's part of a print job: its hidden columns, and the grid's print
// service opened and closed again around the pages.
class GridJob
{
public:
    GridJob(FlexGrid &grid, short many)
        : m_grid(grid),
          m_hidden(grid.store(), many),
          m_ready(grid.printRequest(FlexGrid::PrintStart, nullptr) == FlexGrid::PrintReady)
    {
    }
    ~GridJob()
    {
        if (m_ready)
            m_grid.printRequest(FlexGrid::PrintPage, nullptr);
    }
    GridJob(const GridJob &) = delete;
    GridJob &operator=(const GridJob &) = delete;

    bool ready() const { return m_ready; }

    // Page after page on the painter until the grid has drawn every row;
    // false when the printer could not start a new page.
    bool printPages(QPainter &painter, QPrinter &printer, const PageMargins &margins, const QString &titel,
                    const QString &datum)
    {
        const GridPrintRecord record =
            gridPrintRecord(&painter, printer, margins.left, margins.top, margins.right, margins.bottom);
        // The printer's own font for the title and date lines.
        painter.setFont(QFont(Fonts::font(QStringLiteral("Arial"), 10.0), &printer));
        const double x = mmToPixels(margins.left, printer.logicalDpiX());
        const double titleY = mmToPixels(10.0, printer.logicalDpiY());
        const double dateY = mmToPixels(16.0, printer.logicalDpiY());
        for (;;) {
            printLine(painter, x, titleY, titel);
            printLine(painter, x, dateY, datum);
            if (m_grid.printRequest(FlexGrid::PrintPage, &record) < 0)
                return true;
            if (!printer.newPage())
                return false;
        }
    }

private:
    FlexGrid &m_grid;
    const HiddenColumns m_hidden;
    const bool m_ready;
};
} // namespace

bool PrintGrid(FlexGrid &grid, QPrinter &printer, float leftMargin, float topMargin, float rightMargin,
               float bottomMargin, const QString &titel, const QString &datum, short many)
{
    GridJob job(grid, many);
    if (!job.ready())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const bool pagesOk =
        job.printPages(painter, printer, {leftMargin, topMargin, rightMargin, bottomMargin}, titel, datum);
    const bool ended = painter.end();
    return pagesOk && ended;
}

bool PrintGridOnPage(FlexGrid &grid, QPainter &painter, QPrinter &printer, const PageMargins &margins,
                     const QString &titel)
{
    GridJob job(grid, 0);
    return job.ready() && job.printPages(painter, printer, margins, titel, QString());
}
