#include "Sheets.h"
#include "TestSupport.h"
#include "platform/FlexGridStore.h"

#include <QtTest>

namespace {
// Records the notifications with the current cell each one saw.
void journal(FlexGridStore &g, QStringList &events)
{
    g.leaveCell = [&events, &g] { events << QStringLiteral("leave %1,%2").arg(g.row()).arg(g.col()); };
    g.rowColChange = [&events, &g] { events << QStringLiteral("change %1,%2").arg(g.row()).arg(g.col()); };
}

} // namespace

class TestFlexGridStore : public QObject
{
    Q_OBJECT
private slots:
    // A move fires leaveCell in the old cell, then rowColChange in the new
    // one, unless mayLeaveCell keeps it. A new grid starts in the first cell
    // below the fixed rows.
    void notifications_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("moves");
        QTest::addColumn<bool>("mayLeave"); // what mayLeaveCell answers
        QTest::newRow("row change") << 3 << 0 << true << true;
        QTest::newRow("column change") << 2 << 4 << true << true;
        QTest::newRow("both at once: one pair") << 4 << 8 << true << true;
        QTest::newRow("same cell") << 2 << 0 << false << true;
        QTest::newRow("row out of range") << 5 << 0 << false << true;
        QTest::newRow("negative column") << 2 << -1 << false << true;
        QTest::newRow("a move mayLeaveCell refuses") << 3 << 0 << false << false;
    }
    void notifications()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(bool, moves);
        QFETCH(bool, mayLeave);
        FlexGridStore g(5, 10, 2, 0);
        QStringList events;
        journal(g, events);
        g.mayLeaveCell = [mayLeave] { return mayLeave; };
        g.setRowCol(row, col);
        const QStringList pair = {QStringLiteral("leave 2,0"), QStringLiteral("change %1,%2").arg(row).arg(col)};
        QCOMPARE(events, moves ? pair : QStringList());
        QCOMPARE(g.row(), moves ? row : 2);
    }

    // A handler that redirects the cell (as the carry-over row rules do)
    // sees its own move complete before the outer setter returns.
    void moveInsideRowColChange()
    {
        FlexGridStore g(6, 10, 2, 0);
        g.setRow(3);
        QStringList events;
        journal(g, events);
        g.rowColChange = [&] {
            events << QStringLiteral("change %1,%2").arg(g.row()).arg(g.col());
            if (g.row() == 2)
                g.setRow(3);
        };
        g.setRow(2);
        QCOMPARE(events, (QStringList{QStringLiteral("leave 3,0"), QStringLiteral("change 2,0"),
                                      QStringLiteral("leave 2,0"), QStringLiteral("change 3,0")}));
        QCOMPARE(g.row(), 3);
    }

    // Texts stay with their rows; a dropped row's text is gone. The current
    // row is gone with its row: there is nothing to leave.
    void rowCount()
    {
        FlexGridStore g(6, 10, 2, 0);
        g.setTextMatrix(3, 8, QStringLiteral("Porto"));
        g.setTextMatrix(4, 8, QStringLiteral("1,00"));
        g.setRow(5);
        QStringList events;
        journal(g, events);
        g.setRows(5);
        QCOMPARE(g.row(), 4);
        QVERIFY(events.isEmpty());
        g.setRows(4);
        g.setRows(5);
        QCOMPARE(Fixtures::column(g, 8).mid(2), items("|Porto|"));
        g.setRows(1);
        QCOMPARE(g.rows(), 2); // never below the fixed rows
        g.setTextMatrix(99, 0, QStringLiteral("x"));
        g.setTextMatrix(0, -1, QStringLiteral("x"));
        QCOMPARE(g.textMatrix(99, 0) + g.textMatrix(-1, 3), QString());
        QCOMPARE(g.colWidth(42), 0);
    }

    void addItem_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("column8");
        QTest::newRow("in the middle") << 3 << items("a||b");
        QTest::newRow("at the end") << 4 << items("a|b|");
        QTest::newRow("past the end does nothing") << 5 << items("a|b");
    }
    void addItem()
    {
        QFETCH(int, index);
        QFETCH(QStringList, column8);
        FlexGridStore g(4, 10, 2, 0);
        g.setTextMatrix(2, 8, QStringLiteral("a"));
        g.setTextMatrix(3, 8, QStringLiteral("b"));
        g.setRow(3);
        g.addItem(QString(), index);
        QCOMPARE(Fixtures::column(g, 8).mid(2), column8);
        QCOMPARE(g.row(), 3); // the current index stays, whatever moved under it
    }

    void addItemSplitsTabs()
    {
        FlexGridStore g(1, 3, 0, 0);
        g.addItem(QStringLiteral("x\ty\tz\tzu viel"), 0);
        QCOMPARE(g.textMatrix(0, 0) + g.textMatrix(0, 1) + g.textMatrix(0, 2), QStringLiteral("xyz"));
        QCOMPARE(g.cols(), 3);
    }

    void formatsApplyToTheCurrentCellOnly()
    {
        FlexGridStore g(5, 10, 2, 0);
        g.setRowCol(2, 4);
        g.setCellBackColor(gridRgb(1, 2, 3));
        g.setCellFontSize(9.0F);
        QCOMPARE(g.format(2, 4).backColor, gridRgb(1, 2, 3));
        QCOMPARE(g.cellFontSize(), 9.0F);
        QVERIFY(!g.format(2, 5).hasBackColor);
        g.setCol(5); // a cell without formats of its own in the first row below the fixed ones
        QCOMPARE(g.cellFontSize(), g.fontSize());
        QCOMPARE(g.cellBackColor(), g.backColor());
        g.setRow(1);
        QCOMPARE(g.cellBackColor(), g.backColorFixed());
    }

    void sizesAndOffsets()
    {
        FlexGridStore g(5, 3, 2, 0);
        g.setColWidth(0, 1001);
        g.setColWidth(1, 600);
        g.setRowHeight(0, 300);
        g.setRowHeight(1, 200);
        QCOMPARE(g.colLeft(2), 1601);
        QCOMPARE(g.rowTop(2), 500);
        g.setAllRowHeights(255);
        QCOMPARE(g.totalHeight(), 5 * 255);
        g.setRows(6);
        QCOMPARE(g.rowHeight(5), 255); // a new row takes the height of the last one
    }

    void changedIsAnnouncedOnceUntilCleared()
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
