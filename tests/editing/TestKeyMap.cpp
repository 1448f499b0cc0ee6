// Where each key and a click take the cursor on the journal sheet.
#include "Sheets.h"
#include "editing/KeyCodes.h"
#include "editing/KeyMap.h"
#include "editing/SheetLayout.h"

#include <QtTest>

namespace {
// Not a key code: the row is a click on the start cell.
constexpr int Click = -1;
} // namespace

class TestKeyMap : public QObject
{
    Q_OBJECT
private slots:
    // A sheet of five rows (row 4 is the last); "income" puts one into the
    // start row, "unused" empties the third rate.
    void moves_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QPoint>("start"); // x = column, y = row
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<int>("rows");
        using namespace KeyCode;
        const QString plain;
        const QString income = QStringLiteral("income");
        const QString unused = QStringLiteral("unused");
        QTest::newRow("Right") << Right << QPoint(5, 3) << plain << QPoint(6, 3) << 5;
        QTest::newRow("Right in the last column") << Right << QPoint(9, 3) << plain << QPoint(9, 3) << 5;
        QTest::newRow("Right onto a used third rate") << Right << QPoint(1, 3) << plain << QPoint(2, 3) << 5;
        QTest::newRow("Right skips an unused third rate") << Right << QPoint(1, 3) << unused << QPoint(3, 3) << 5;
        QTest::newRow("Right in the last row without income") << Right << QPoint(0, 4) << plain << QPoint(1, 4) << 5;
        QTest::newRow("Right in the last row with income") << Right << QPoint(0, 4) << income << QPoint(1, 4) << 6;
        QTest::newRow("Right in a middle row with income") << Right << QPoint(0, 3) << income << QPoint(1, 3) << 5;
        QTest::newRow("Right along the carry-over row") << Right << QPoint(4, 2) << plain << QPoint(5, 2) << 5;
        QTest::newRow("Right onto the carry-over date") << Right << QPoint(6, 2) << plain << QPoint(7, 3) << 5;
        QTest::newRow("Up") << Up << QPoint(4, 4) << plain << QPoint(4, 3) << 5;
        QTest::newRow("Up onto the carry-over balance") << Up << QPoint(4, 3) << plain << QPoint(4, 2) << 5;
        QTest::newRow("Up onto a carry-over income") << Up << QPoint(2, 3) << plain << QPoint(2, 3) << 5;
        QTest::newRow("Up onto the carry-over date") << Up << QPoint(7, 3) << plain << QPoint(7, 3) << 5;
        QTest::newRow("Up stops under the rates") << Up << QPoint(4, 2) << plain << QPoint(4, 2) << 5;
        QTest::newRow("Down in a middle row") << Down << QPoint(0, 3) << plain << QPoint(0, 4) << 5;
        QTest::newRow("Down in the last row") << Down << QPoint(8, 4) << plain << QPoint(8, 5) << 6;
        QTest::newRow("Enter in the last row") << Enter << QPoint(8, 4) << plain << QPoint(8, 5) << 6;
        QTest::newRow("Left") << Left << QPoint(5, 3) << plain << QPoint(4, 3) << 5;
        QTest::newRow("Left in the first column") << Left << QPoint(0, 3) << plain << QPoint(0, 3) << 5;
        QTest::newRow("Left from the expense") << Left << QPoint(3, 3) << plain << QPoint(2, 3) << 5;
        QTest::newRow("Left from the expense, third rate unused")
            << Left << QPoint(3, 3) << unused << QPoint(0, 3) << 5;
        QTest::newRow("Left along the carry-over row") << Left << QPoint(5, 2) << plain << QPoint(4, 2) << 5;
        QTest::newRow("Left onto a carry-over income") << Left << QPoint(3, 2) << plain << QPoint(2, 3) << 5;
        QTest::newRow("Left in the last row with income") << Left << QPoint(1, 4) << income << QPoint(0, 4) << 6;
        QTest::newRow("Left in the last row without income") << Left << QPoint(1, 4) << plain << QPoint(0, 4) << 5;
        QTest::newRow("Delete stays") << Delete << QPoint(0, 4) << income << QPoint(0, 4) << 5;
        QTest::newRow("click on a carry-over income") << Click << QPoint(1, 2) << plain << QPoint(1, 3) << 5;
        QTest::newRow("click on the carry-over date") << Click << QPoint(7, 2) << plain << QPoint(7, 3) << 5;
        QTest::newRow("click on the carry-over balance") << Click << QPoint(4, 2) << plain << QPoint(4, 2) << 5;
        QTest::newRow("click on a used third rate") << Click << QPoint(2, 3) << plain << QPoint(2, 3) << 5;
        QTest::newRow("click on an unused third rate") << Click << QPoint(2, 3) << unused << QPoint(3, 3) << 5;
    }
    void moves()
    {
        QFETCH(int, key);
        QFETCH(QPoint, start);
        QFETCH(QString, sheet);
        QFETCH(QPoint, end);
        QFETCH(int, rows);
        FlexGridStore g = Fixtures::startupSheet(5);
        if (sheet == QStringLiteral("unused"))
            g.setTextMatrix(modul::RowRates, modul::ColEinnahmen3, QString());
        if (sheet == QStringLiteral("income"))
            g.setTextMatrix(start.y(), modul::ColEinnahmen2, QStringLiteral("5,00"));
        g.setRowCol(start.y(), start.x());
        if (key == Click)
            KeyMap::redirectClick(g);
        else
            KeyMap::moveByKey(g, key);
        QCOMPARE(QPoint(g.col(), g.row()), end);
        QCOMPARE(g.rows(), rows);
    }

    // Only the keys that leave the cell commit a blank for an empty editor.
    void leavesCell()
    {
        using namespace KeyCode;
        for (const int key : {Right, Up, Down, Enter, Left})
            QVERIFY(KeyMap::leavesCell(key));
        for (const int key : {Delete, Tab, Space, Other})
            QVERIFY(!KeyMap::leavesCell(key));
    }
};

QTEST_MAIN(TestKeyMap)
#include "TestKeyMap.moc"
