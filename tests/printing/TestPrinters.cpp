// The printer layer against the private CUPS server that ./test.sh starts:
// queues PDF (the default) and PDF2.
#include "PrintOutDriver.h"
#include "PrintTestSupport.h"

#include "printing/Printers.h"

#include <QComboBox>
#include <QTest>

using namespace Qt::StringLiterals;

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
    QVERIFY2(runTool(u"lpstat"_s, {u"-r"_s}).contains(u"is running"_s), "the CUPS server does not answer");
}

void TestPrinters::listHoldsEveryQueueInTheSystemsOrder()
{
    const QStringList queues = runTool(u"lpstat"_s, {u"-e"_s}).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(queues.contains(u"PDF"_s));
    QVERIFY(queues.contains(u"PDF2"_s));
    QComboBox box;
    box.addItem(u"schon da"_s);
    GetPrinters(&box);
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    QCOMPARE(items, QStringList{u"schon da"_s} + queues);
}

void TestPrinters::defaultNameIsTheServersDefault()
{
    const QString answer = runTool(u"lpstat"_s, {u"-d"_s});
    const QString expected = answer.section(u": "_s, 1).trimmed();
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
    QTest::newRow("exact name selects it") << u"PDF"_s << u"PDF2"_s << true << u"PDF2"_s;
    QTest::newRow("the default put back") << u"PDF2"_s << u"PDF"_s << true << u"PDF"_s;
    QTest::newRow("the current one again") << u"PDF2"_s << u"PDF2"_s << true << u"PDF2"_s;
    QTest::newRow("other letter case is no match") << u"PDF"_s << u"pdf2"_s << false << u"PDF"_s;
    QTest::newRow("unknown name") << u"PDF2"_s << u"Laserdrucker"_s << false << u"PDF2"_s;
    QTest::newRow("empty name") << u"PDF2"_s << QString() << false << u"PDF2"_s;
    QTest::newRow("trailing blank") << u"PDF"_s << u"PDF2 "_s << false << u"PDF"_s;
    QTest::newRow("prefix of a name") << u"PDF2"_s << u"PD"_s << false << u"PDF2"_s;
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
    QCOMPARE(window.windowTitle(), u"Form1"_s);
    QCOMPARE(items(window.Combo1), runTool(u"lpstat"_s, {u"-e"_s}).split(u'\n', Qt::SkipEmptyParts));
    QCOMPARE(window.Combo1->currentText(), Standarddruckername());
    QCOMPARE(window.currentPrinter().deviceName(), Standarddruckername());
    // Modeless and without an owner: the main window stays usable.
    QVERIFY(!window.isModal());
    QVERIFY(!window.parentWidget());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(w.isVisible());
    QVERIFY(w.isEnabled());
    d.clickCell(3, 8);
    d.type(u"Porto"_s);
    d.key(Qt::Key_Enter);
    QCOMPARE(d.text(3, 8), u"Porto"_s);
    QVERIFY(window.isVisible());
}

void TestPrinters::abbrechenKeepsListAndText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("the default printer") << QString() << false;
    QTest::newRow("another queue picked") << u"PDF2"_s << false;
    QTest::newRow("a name typed by hand") << u"Laserdrucker im Flur"_s << false;
    QTest::newRow("the box emptied") << u""_s << false;
    QTest::newRow("another queue, closed by the close box") << u"PDF2"_s << true;
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
