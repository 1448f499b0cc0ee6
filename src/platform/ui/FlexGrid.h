#pragma once

#include "platform/FlexGridStore.h"

#include <QAbstractScrollArea>

#include <functional>

class QPainter;

// A page request of the grid's print service: where on which painter the
// next page's rows go. Lengths are device pixels of the painter's device.
struct GridPrintRecord
{
    QPainter *device = nullptr;
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;
    qint32 printableWidth = 0;
    qint32 printableHeight = 0;
};

// The grid control: a custom-painted view over a FlexGridStore. Fixed rows
// stay on top as headings, and the view scrolls by whole rows and columns to
// keep the current cell in sight. Geometry is reported in twips.
class FlexGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit FlexGrid(QWidget *parent = nullptr, int rows = 2, int cols = 2, int fixedRows = 1, int fixedCols = 1);

    FlexGridStore &store() { return m_store; }
    const FlexGridStore &store() const { return m_store; }

    // The current cell relative to the grid's top left corner, in twips.
    int cellLeft() const;
    int cellTop() const;
    int cellWidth() const;
    int cellHeight() const;

    // The width in twips a cell needs to show text whole in the grid's own
    // font: the text, the padding on both sides and the grid line.
    int textTwips(const QString &text) const;

    // Where a cell is drawn now, in viewport pixels (empty when scrolled away).
    QRect cellRect(int row, int col) const;

    int topRow() const { return m_topRow; }
    void setTopRow(int row);
    int leftCol() const { return m_leftCol; }

    // Repaints now unless the redraw switch is off.
    void refresh();

    // The print service, one request at a time:
    //  - PrintStart without a record opens a print job and answers PrintReady,
    //    or 0 while a job is already open;
    //  - PrintPage with a record draws the heading rows and the next page's
    //    rows into the record's rectangle with the on-screen widths, heights
    //    and fonts; the answer is negative once every row is drawn;
    //  - PrintPage without a record closes the job.
    static constexpr int PrintStart = 1;
    static constexpr int PrintPage = 0;
    static constexpr qint32 PrintReady = 456654;
    qint32 printRequest(int request, const GridPrintRecord *record);

    // The program's notifications beyond the store's own.
    std::function<void()> click;
    std::function<void()> gotFocus;
    std::function<void()> lostFocus;
    // Sees a key first; returns true when it took the key.
    std::function<bool(QKeyEvent *)> keyPress;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent *event) override;

private:
    void ensureCurrentVisible();
    void updateScrollBars();
    bool hitCell(const QPoint &pos, int &row, int &col) const;
    double pixelsPerTwip() const;
    int pixelX(long long twips) const;
    int pixelY(long long twips) const;
    // -1 once the walk passes limit twips.
    static constexpr double NoLimit = 1e300;
    long long visibleLeftTwips(int col, double limit = NoLimit) const;
    long long visibleTopTwips(int row, double limit = NoLimit) const;
    int lastFullyVisibleRow(int topRow) const;
    int fixedRowsHeight() const;
    int firstTopShowing(int row) const;

    FlexGridStore m_store;
    int m_topRow = 0;
    int m_leftCol = 0;
    bool m_pressedInside = false;
    int m_printNextRow = -1;     // the next row a page request draws; -1 while no job is open
    bool m_scrollOnShow = false; // the current cell moved while the grid was hidden
    bool m_settingBars = false;  // updateScrollBars is setting the bars' ranges
};
