// The print-out when no print server answers: CUPS_SERVER points at a socket
// nobody listens on.
#include "EditingDriver.h"

class TestNoPrinters : public QObject
{
    Q_OBJECT
private slots:
    void printOutSaysSo()
    {
        EditingDriver d;
        Form1 &w = d.start();
        Druckerwahl &window = d.openPrinterWindow();
        QCOMPARE(window.Combo1->count(), 0);
        QCOMPARE(window.Combo1->currentText(), QString());
        d.drucken();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Es ist kein Drucker eingerichtet, daher kann Barlog nicht drucken.\n\n"
                                               "Bitte richten Sie zuerst einen Drucker im System ein."));
        QVERIFY(w.isVisible());
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestNoPrinters)
#include "TestNoPrinters.moc"
