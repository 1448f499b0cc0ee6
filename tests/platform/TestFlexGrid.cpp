// The grid repaints only what changed: counted by the paint events its
// viewport receives after one change.
#include "platform/ui/FlexGrid.h"

#include <QPaintEvent>
#include <QtTest>

#include <functional>

namespace {

class PaintRecorder : public QObject
{
public:
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

} // namespace

class TestFlexGrid : public QObject
{
    Q_OBJECT
private slots:
    void repaintsOnlyWhatChanged_data()
    {
        QTest::addColumn<std::function<void(FlexGridStore &)>>("change");
        QTest::addColumn<QPoint>("cell"); // row and column of the one cell painted; (-1, -1): none
        QTest::addColumn<bool>("whole");
        using Change = std::function<void(FlexGridStore &)>;
        QTest::newRow("a cell's text: that cell")
            << Change([](FlexGridStore &g) { g.setTextMatrix(3, 2, QStringLiteral("1,00")); }) << QPoint(3, 2)
            << false;
        QTest::newRow("a cell's colour: that cell")
            << Change([](FlexGridStore &g) { g.setForeColorAt(4, 1, gridRgb(255, 0, 0)); }) << QPoint(4, 1)
            << false;
        QTest::newRow("a cell below the sight: nothing")
            << Change([](FlexGridStore &g) { g.setTextMatrix(199, 2, QStringLiteral("x")); }) << QPoint(-1, -1) << false;
        QTest::newRow("the current cell moves in sight: nothing")
            << Change([](FlexGridStore &g) { g.setRowCol(5, 3); }) << QPoint(-1, -1) << false;
        QTest::newRow("a column's width: everything")
            << Change([](FlexGridStore &g) { g.setColWidth(1, 2000); }) << QPoint(-1, -1) << true;
    }
    void repaintsOnlyWhatChanged()
    {
        QFETCH(std::function<void(FlexGridStore &)>, change);
        QFETCH(QPoint, cell);
        QFETCH(bool, whole);
        FlexGrid grid(nullptr, 200, 5, 1, 1);
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCoreApplication::processEvents();
        PaintRecorder recorder;
        grid.viewport()->installEventFilter(&recorder);
        change(grid.store());
        QCoreApplication::processEvents();
        QRegion expected;
        if (whole)
            expected = grid.viewport()->rect();
        else if (cell.x() >= 0)
            expected = grid.cellRect(cell.x(), cell.y());
        QCOMPARE(recorder.painted, expected);
    }
};

QTEST_MAIN(TestFlexGrid)
#include "TestFlexGrid.moc"
