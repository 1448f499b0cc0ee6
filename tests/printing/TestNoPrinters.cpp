// The printer layer when no print server answers (CUPS_SERVER points at a
// socket nobody listens on).
#include "PrintOutDriver.h"
#include "PrintTestSupport.h"

#include "platform/ui/FlexGrid.h"
#include "printing/ui/PrintGrid.h"
#include "printing/ui/Printers.h"

#include <QComboBox>
#include <QTest>

class TestNoPrinters : public QObject
{
    Q_OBJECT
private slots:
    void listStaysAsItWas();
    void noDefaultName();
    void noCurrentPrinterAndNothingToSelect();
    void printingFailsAndRestoresTheGrid();
    void printOutSaysSoAndComesBack();
};

void TestNoPrinters::listStaysAsItWas()
{
    QComboBox box;
    box.addItem(QStringLiteral("schon da"));
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
    QVERIFY(!current.drucker_setzen(QStringLiteral("PDF")));
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

void TestNoPrinters::printOutSaysSoAndComesBack()
{
    PrintOutDriver d(QSize(1920, 1080));
    Form1 &w = d.start();
    d.clickCell(2, 4);
    d.type(QStringLiteral("80"));
    d.clickCell(3, 8);
    d.type(QStringLiteral("Bürobedarf"));
    d.clickCell(4, 0);
    const QStringList before = sheetLook(d.sheet());
    d.openPrinterWindow();
    QCOMPARE(d.printerWindow().Combo1->count(), 0);
    QCOMPARE(d.printerWindow().Combo1->currentText(), QString());
    for (int printOut = 0; printOut < 2; ++printOut) {
        d.drucken();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Es ist kein Drucker eingerichtet, daher kann Barlog nicht drucken.\n\n"
                                               "Bitte richten Sie zuerst einen Drucker im System ein."));
        QCOMPARE(shown[0].title, QStringLiteral("Barlog"));
        QCOMPARE(sheetLook(d.sheet()), before);
        QVERIFY(w.isVisible());
        QVERIFY(!d.printerWindow().isVisible());
        QVERIFY(!w.sheetEditor().cellHandlersIdle());
        QCOMPARE(w.Combo33->count(), 12);
        d.openPrinterWindow();
    }
}

QTEST_MAIN(TestNoPrinters)
#include "TestNoPrinters.moc"
