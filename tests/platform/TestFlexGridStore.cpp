#include "platform/FlexGridStore.h"

#include <QtTest>

namespace {
// Records the notifications with the current cell each one saw.
struct Journal
{
    QStringList events;
    void attach(FlexGridStore &g)
    {
        g.leaveCell = [this, &g] { events << QStringLiteral("leave %1,%2").arg(g.row()).arg(g.col()); };
        g.rowColChange = [this, &g] { events << QStringLiteral("change %1,%2").arg(g.row()).arg(g.col()); };
    }
};
} // namespace

class TestFlexGridStore : public QObject
{
    Q_OBJECT
private slots:
    void notificationOrder_data()
    {
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toCol");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("row change") << 3 << 0 << QStringList{QStringLiteral("leave 2,0"), QStringLiteral("change 3,0")};
        QTest::newRow("column change") << 2 << 4
                                       << QStringList{QStringLiteral("leave 2,0"), QStringLiteral("change 2,4")};
        QTest::newRow("same cell fires nothing") << 2 << 0 << QStringList{};
        QTest::newRow("row out of range fires nothing") << 9 << 0 << QStringList{};
        QTest::newRow("negative column fires nothing") << 2 << -1 << QStringList{};
    }
    void notificationOrder()
    {
        QFETCH(int, toRow);
        QFETCH(int, toCol);
        QFETCH(QStringList, expected);
        FlexGridStore g(5, 10, 2, 0);
        g.setRow(2);
        Journal j;
        j.attach(g);
        if (toRow != g.row())
            g.setRow(toRow);
        if (toCol != g.col())
            g.setCol(toCol);
        QCOMPARE(j.events, expected);
    }

    void setRowColFiresOnePair()
    {
        FlexGridStore g(5, 10, 2, 0);
        Journal j;
        j.attach(g);
        g.setRowCol(4, 8);
        QCOMPARE(j.events, (QStringList{QStringLiteral("leave 2,0"), QStringLiteral("change 4,8")}));
    }

    void reentrantMoveInsideRowColChange()
    {
        // A handler that redirects the cell (as the carry-over row rules do)
        // must see its own move complete before the outer setter returns.
        FlexGridStore g(6, 10, 2, 0);
        QStringList events;
        g.leaveCell = [&] { events << QStringLiteral("leave %1").arg(g.row()); };
        g.rowColChange = [&] {
            events << QStringLiteral("change %1").arg(g.row());
            if (g.row() == 2)
                g.setRow(3);
        };
        g.setRow(3);
        events.clear();
        g.setRow(2);
        QCOMPARE(events, (QStringList{QStringLiteral("leave 3"), QStringLiteral("change 2"), QStringLiteral("leave 2"),
                                      QStringLiteral("change 3")}));
        QCOMPARE(g.row(), 3);
    }

    void rowCountKeepsTexts()
    {
        FlexGridStore g(5, 10, 2, 0);
        g.setTextMatrix(3, 8, QStringLiteral("Porto"));
        g.setTextMatrix(4, 0, QStringLiteral("1,00"));
        g.setRows(8);
        QCOMPARE(g.rows(), 8);
        QCOMPARE(g.textMatrix(3, 8), QStringLiteral("Porto"));
        QCOMPARE(g.textMatrix(7, 0), QString());
        g.setRows(4);
        QCOMPARE(g.textMatrix(3, 8), QStringLiteral("Porto"));
        g.setRows(5);
        QCOMPARE(g.textMatrix(4, 0), QString()); // the dropped row's text is gone
    }

    void shrinkingBelowCurrentRowMovesSilently()
    {
        FlexGridStore g(6, 10, 2, 0);
        g.setRow(5);
        Journal j;
        j.attach(g);
        g.setRows(4);
        QCOMPARE(g.row(), 3);
        QVERIFY(j.events.isEmpty());
    }

    void rowCountNeverBelowFixedRows()
    {
        FlexGridStore g(5, 10, 2, 0);
        g.setRows(1);
        QCOMPARE(g.rows(), 2);
    }

    void addItemShiftsRowsDown_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("column8");
        QTest::newRow("in the middle") << 3
                                       << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b"),
                                                      QStringLiteral("c")};
        QTest::newRow("at the end") << 5
                                    << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                                   QString()};
        QTest::newRow("past the end does nothing")
            << 7 << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    }
    void addItemShiftsRowsDown()
    {
        QFETCH(int, index);
        QFETCH(QStringList, column8);
        FlexGridStore g(5, 10, 2, 0);
        g.setTextMatrix(2, 8, QStringLiteral("a"));
        g.setTextMatrix(3, 8, QStringLiteral("b"));
        g.setTextMatrix(4, 8, QStringLiteral("c"));
        g.setRow(3);
        g.addItem(QString(), index);
        QStringList got;
        for (int r = 2; r < g.rows(); ++r)
            got << g.textMatrix(r, 8);
        QCOMPARE(got, column8);
        QCOMPARE(g.row(), 3); // the current index stays, whatever moved under it
    }

    void addItemSplitsTabs()
    {
        FlexGridStore g(3, 3, 1, 0);
        g.addItem(QStringLiteral("x\ty\tz\tzu viel"), 1);
        QCOMPARE(g.textMatrix(1, 0), QStringLiteral("x"));
        QCOMPARE(g.textMatrix(1, 2), QStringLiteral("z"));
        QCOMPARE(g.cols(), 3);
    }

    void formatsApplyToCurrentCellOnly()
    {
        FlexGridStore g(5, 10, 2, 0);
        g.setRowCol(2, 4);
        g.setCellBackColor(gridRgb(192, 192, 192));
        g.setCellFontBold(true);
        g.setCellFontSize(9.0F);
        QCOMPARE(g.format(2, 4).backColor, gridRgb(192, 192, 192));
        QVERIFY(g.format(2, 4).bold);
        QVERIFY(!g.format(2, 5).bold);
        QVERIFY(!g.format(2, 5).hasBackColor);
        g.setRowCol(3, 0);
        QCOMPARE(g.cellFontSize(), 8.25F); // the grid's own size where the cell has none
        QCOMPARE(g.cellBackColor(), gridRgb(255, 255, 255));
    }

    void sizesAndOffsets()
    {
        FlexGridStore g(5, 3, 2, 0);
        g.setColWidth(0, 1001);
        g.setColWidth(1, 600);
        g.setRowHeight(0, 300);
        QCOMPARE(g.colLeft(2), 1601);
        QCOMPARE(g.rowTop(2), 300 + FlexGridStore::DefaultRowHeight);
        g.setAllRowHeights(255);
        QCOMPARE(g.totalHeight(), 5 * 255);
        g.setRows(6);
        QCOMPARE(g.rowHeight(5), 255); // a new row takes the height of the last one
    }

    void outOfRangeAccessIsHarmless()
    {
        FlexGridStore g(5, 10, 2, 0);
        g.setTextMatrix(99, 0, QStringLiteral("x"));
        g.setTextMatrix(0, -1, QStringLiteral("x"));
        QCOMPARE(g.textMatrix(99, 0), QString());
        QCOMPARE(g.textMatrix(-1, 3), QString());
        QCOMPARE(g.colWidth(42), 0);
    }

    void changedIsCoalescedUntilCleared()
    {
        FlexGridStore g(5, 10, 2, 0);
        int calls = 0;
        g.changed = [&] { ++calls; };
        for (int r = 2; r < 5; ++r)
            g.setTextMatrix(r, 0, QStringLiteral("1,00"));
        QCOMPARE(calls, 1);
        g.clearChanged();
        g.setTextMatrix(2, 0, QStringLiteral("2,00"));
        QCOMPARE(calls, 2);
    }
};

QTEST_GUILESS_MAIN(TestFlexGridStore)
#include "TestFlexGridStore.moc"
