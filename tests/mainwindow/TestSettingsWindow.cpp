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
    void activationReloadsTheFile()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        f.folder.write(QStringLiteral("bl.dat"), "16%\r\n5%\r\n0%\r\n");
        Einstellungen *e = w.einstellungen();
        e->Form_Activate();
        QCOMPARE(e->Text1[1]->text(), QStringLiteral("5%"));
        e->Text1[1]->setText(QStringLiteral("9%")); // typed, not saved
        e->Form_Activate();
        QCOMPARE(e->Text1[1]->text(), QStringLiteral("5%"));
    }

    void withoutAFileTheBoxesKeepTheirTexts()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        Einstellungen *e = w.einstellungen();
        e->Text1[0]->setText(QStringLiteral("20%"));
        e->Command2_Click();
        QVERIFY(!e->isVisible());
        e->Form_Activate();
        QCOMPARE(e->Text1[0]->text(), QStringLiteral("20%"));
        QCOMPARE(e->Text1[2]->text(), QStringLiteral("0%"));
    }

    void savingWritesThreeLinesAndLeavesTheSheet_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("plain rates") << QStringList{QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")}
                                     << QByteArray("16%\r\n5%\r\n0%\r\n");
        QTest::newRow("a comma is quoted")
            << QStringList{QStringLiteral("19%"), QStringLiteral("10,7%"), QStringLiteral("0%")}
            << QByteArray("19%\r\n\"10,7%\"\r\n0%\r\n");
        QTest::newRow("an empty rate") << QStringList{QStringLiteral("19%"), QStringLiteral("7%"), QString()}
                                       << QByteArray("19%\r\n7%\r\n\"\"\r\n");
    }
    void savingWritesThreeLinesAndLeavesTheSheet()
    {
        QFETCH(QStringList, typed);
        QFETCH(QByteArray, file);
        Form1Fixture f;
        Form1 &w = f.start();
        Einstellungen *e = w.einstellungen();
        for (int i = 0; i < 3; ++i)
            e->Text1[static_cast<size_t>(i)]->setText(typed[i]);
        e->Command1_Click();
        QCOMPARE(f.folder.read(QStringLiteral("bl.dat")), file);
        QCOMPARE(f.sheet().textMatrix(1, 1), QStringLiteral("7%")); // until the next start-up
        f.start();
        QCOMPARE(f.sheet().textMatrix(1, 1), typed[1]);
        QCOMPARE(f.sheet().textMatrix(1, 2), typed[2]);
    }

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

    void unwritableFileIsReported()
    {
        Form1Fixture f;
        f.folder.write(QStringLiteral("datei"), "x");
        Form1 w(f.folder.file(QStringLiteral("datei")));
        w.Form_Load();
        MessageBox::takeShown();
        w.einstellungen()->Command1_Click();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QStringLiteral("bl.dat")));
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "TestSettingsWindow.moc"
