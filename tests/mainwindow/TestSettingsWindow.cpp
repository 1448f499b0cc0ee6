#include "Form1Fixture.h"
#include "dialogs/ui/Einstellungen.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

class TestSettingsWindow : public QObject
{
    Q_OBJECT
private slots:

    // The DATEV boxes are saved beside the rates; a value that cannot be
    // used keeps both files as they were.
    void datevValues_data()
    {
        QTest::addColumn<QString>("buSchluessel");
        QTest::addColumn<QByteArray>("datev"); // empty: refused
        QTest::newRow("saved") << QStringLiteral(
            "9") << QByteArray("29098\r\n55003\r\nSKR04\r\n4\r\n1000\r\n8400\r\n4300\r\n8200\r\n4980\r\n9\r\n");
        QTest::newRow("refused") << QStringLiteral("neun") << QByteArray();
    }
    void datevValues()
    {
        QFETCH(QString, buSchluessel);
        QFETCH(QByteArray, datev);
        Form1Fixture f;
        Einstellungen *e = f.start().einstellungen();
        e->Form_Activate();
        e->Text2[Einstellungen::Beraternummer]->setText(QStringLiteral("29098"));
        e->Text2[Einstellungen::Mandantennummer]->setText(QStringLiteral(" 55003 "));
        e->Combo1->setCurrentText(QStringLiteral("SKR04"));
        e->Text2[Einstellungen::Erloeskonto2]->setText(QStringLiteral("4300"));
        e->Text2[Einstellungen::BuSchluessel]->setText(buSchluessel);
        e->Command1_Click();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(f.folder.read(QStringLiteral("datev.dat")), datev);
        QCOMPARE(f.folder.read(QStringLiteral("bl.dat")),
                 datev.isEmpty() ? QByteArray() : QByteArray("19%\r\n7%\r\n0%\r\n"));
        QCOMPARE(shown.value(0).text, datev.isEmpty()
                                          ? QStringLiteral("Die DATEV-Einstellungen wurden nicht gespeichert:\n\n"
                                                           "BU-Schlüssel: leer oder bis zu 4 Ziffern")
                                          : QString());
        e->Combo1->setCurrentText(QStringLiteral("SKR03")); // typed, not saved
        e->Form_Activate();
        QCOMPARE(e->Combo1->currentText(), datev.isEmpty() ? QStringLiteral("SKR03") : QStringLiteral("SKR04"));
    }

    // The close box unloads the window; the next opening makes it anew
    // with the design texts.
    void theCloseBoxUnloadsTheWindow()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        w.Command4_Click();
        w.einstellungen()->Text1[0]->setText(QStringLiteral("20%"));
        w.einstellungen()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w.Command4_Click();
        QCOMPARE(w.einstellungen()->Text1[0]->text(), QStringLiteral("19%"));
        QVERIFY(w.einstellungen()->isVisible());
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "TestSettingsWindow.moc"
