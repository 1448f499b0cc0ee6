// The printer layer when no print server answers (CUPS_SERVER points at a
// socket nobody listens on).
#include "PrintTestSupport.h"

#include "platform/FlexGrid.h"
#include "printing/PrintGrid.h"
#include "printing/Printers.h"

#include <QComboBox>
#include <QTest>

using namespace Qt::StringLiterals;

class TestNoPrinters : public QObject
{
    Q_OBJECT
private slots:
    void listStaysAsItWas();
    void noDefaultName();
    void noCurrentPrinterAndNothingToSelect();
    void printingFailsAndRestoresTheGrid();
};

void TestNoPrinters::listStaysAsItWas()
{
    QComboBox box;
    box.addItem(u"schon da"_s);
    GetPrinters(&box);
    QCOMPARE(box.count(), 1);
    GetPrinters(nullptr);
}

void TestNoPrinters::noDefaultName()
{
    QCOMPARE(Standarddruckername(), QString());
}

void TestNoPrinters::noCurrentPrinterAndNothingToSelect()
{
    CurrentPrinter current;
    QCOMPARE(current.deviceName(), QString());
    QVERIFY(!current.drucker_setzen(u"PDF"_s));
    QVERIFY(!current.drucker_setzen(QString()));
    QCOMPARE(current.deviceName(), QString());
}

void TestNoPrinters::printingFailsAndRestoresTheGrid()
{
    FlexGrid grid;
    fillSheet(grid, 3);
    CurrentPrinter current;
    QVERIFY(!PrintGrid(grid, current.printer(), 20.0F, 10.0F, 0.0F, 10.0F, {}, {}, 3));
    QCOMPARE(grid.store().colWidth(8), 2500);
    QVERIFY(grid.store().redraw());
    QCOMPARE(grid.printRequest(1, nullptr), FlexGrid::PrintReady);
    grid.printRequest(0, nullptr);
}

QTEST_MAIN(TestNoPrinters)
#include "TestNoPrinters.moc"
