// The printer layer against the private CUPS server that ./test.sh starts:
// queues PDF (the default) and PDF2.
#include "PrintOutDriver.h"
#include "PrintTestSupport.h"

#include "printing/ui/Printers.h"

#include <QComboBox>
#include <QTest>

class TestPrinters : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void listHoldsEveryQueueInTheSystemsOrder();
    void defaultNameIsTheServersDefault();
    void currentPrinterStartsAsTheDefault();
    void drucker_setzen_data();
    void drucker_setzen();
    void printerWindowLoadsOnFirstShow();
    void abbrechenKeepsListAndText_data();
    void abbrechenKeepsListAndText();
};

namespace {
QStringList items(const QComboBox *box)
{
    QStringList all;
    for (int i = 0; i < box->count(); ++i)
        all << box->itemText(i);
    return all;
}
} // namespace

void TestPrinters::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        QSKIP("needs the private CUPS server that ./test.sh starts (CUPS_SERVER is not set)");
    QVERIFY2(runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running")),
             "the CUPS server does not answer");
}

void TestPrinters::listHoldsEveryQueueInTheSystemsOrder()
{
    const QStringList queues =
        runTool(QStringLiteral("lpstat"), {QStringLiteral("-e")}).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(queues.contains(QStringLiteral("PDF")));
    QVERIFY(queues.contains(QStringLiteral("PDF2")));
    QComboBox box;
    box.addItem(QStringLiteral("schon da"));
    GetPrinters(&box);
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    QCOMPARE(items, QStringList{QStringLiteral("schon da")} + queues);
}

void TestPrinters::defaultNameIsTheServersDefault()
{
    const QString answer = runTool(QStringLiteral("lpstat"), {QStringLiteral("-d")});
    const QString expected = answer.section(QStringLiteral(": "), 1).trimmed();
    QVERIFY2(!expected.isEmpty(), qPrintable(answer));
    QCOMPARE(Standarddruckername(), expected);
}

void TestPrinters::currentPrinterStartsAsTheDefault()
{
    const CurrentPrinter current;
    QVERIFY(!current.deviceName().isEmpty());
    QCOMPARE(current.deviceName(), Standarddruckername());
}

void TestPrinters::drucker_setzen_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("after");
    QTest::newRow("exact name selects it")
        << QStringLiteral("PDF") << QStringLiteral("PDF2") << true << QStringLiteral("PDF2");
    QTest::newRow("the default put back")
        << QStringLiteral("PDF2") << QStringLiteral("PDF") << true << QStringLiteral("PDF");
    QTest::newRow("the current one again")
        << QStringLiteral("PDF2") << QStringLiteral("PDF2") << true << QStringLiteral("PDF2");
    QTest::newRow("other letter case is no match")
        << QStringLiteral("PDF") << QStringLiteral("pdf2") << false << QStringLiteral("PDF");
    QTest::newRow("unknown name") << QStringLiteral("PDF2") << QStringLiteral("Laserdrucker") << false
                                  << QStringLiteral("PDF2");
    QTest::newRow("empty name") << QStringLiteral("PDF2") << QString() << false << QStringLiteral("PDF2");
    QTest::newRow("trailing blank") << QStringLiteral("PDF") << QStringLiteral("PDF2 ") << false
                                    << QStringLiteral("PDF");
    QTest::newRow("prefix of a name") << QStringLiteral("PDF2") << QStringLiteral("PD") << false
                                      << QStringLiteral("PDF2");
}

void TestPrinters::drucker_setzen()
{
    QFETCH(QString, before);
    QFETCH(QString, asked);
    QFETCH(bool, found);
    QFETCH(QString, after);
    CurrentPrinter current;
    QVERIFY(current.drucker_setzen(before));
    QCOMPARE(current.drucker_setzen(asked), found);
    QCOMPARE(current.deviceName(), after);
    QCOMPARE(current.printer().printerName(), after);
}

void TestPrinters::printerWindowLoadsOnFirstShow()
{
    PrintOutDriver d;
    Form1 &w = d.start();
    Druckerwahl &window = d.printerWindow();
    QVERIFY(!window.isVisible());
    QCOMPARE(window.Combo1->count(), 0);

    d.openPrinterWindow();
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(items(window.Combo1),
             runTool(QStringLiteral("lpstat"), {QStringLiteral("-e")}).split(u'\n', Qt::SkipEmptyParts));
    QCOMPARE(window.Combo1->currentText(), Standarddruckername());
    QCOMPARE(window.currentPrinter().deviceName(), Standarddruckername());
    // Modeless and without an owner: the main window stays usable.
    QVERIFY(!window.isModal());
    QVERIFY(!window.parentWidget());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(w.isVisible());
    QVERIFY(w.isEnabled());
    d.clickCell(3, 8);
    d.type(QStringLiteral("Porto"));
    d.key(Qt::Key_Enter);
    QCOMPARE(d.text(3, 8), QStringLiteral("Porto"));
    QVERIFY(window.isVisible());
}

void TestPrinters::abbrechenKeepsListAndText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("the default printer") << QString() << false;
    QTest::newRow("another queue picked") << QStringLiteral("PDF2") << false;
    QTest::newRow("a name typed by hand") << QStringLiteral("Laserdrucker im Flur") << false;
    QTest::newRow("the box emptied") << QStringLiteral("") << false;
    QTest::newRow("another queue, closed by the close box") << QStringLiteral("PDF2") << true;
}

void TestPrinters::abbrechenKeepsListAndText()
{
    QFETCH(QString, text);
    QFETCH(bool, closeBox);
    PrintOutDriver d;
    d.start();
    Druckerwahl &window = d.openPrinterWindow();
    if (!text.isNull())
        window.Combo1->setEditText(text);
    const QString shownText = window.Combo1->currentText();
    const QStringList list = items(window.Combo1);
    const QString current = window.currentPrinter().deviceName();
    if (closeBox)
        window.close();
    else
        QTest::mouseClick(window.Command2, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.currentPrinter().deviceName(), current);
    for (int again = 0; again < 2; ++again) {
        d.openPrinterWindow();
        QVERIFY(window.isVisible());
        QCOMPARE(items(window.Combo1), list);
        QCOMPARE(window.Combo1->currentText(), shownText);
        window.Command2_Click();
    }
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

QTEST_MAIN(TestPrinters)
#include "TestPrinters.moc"
