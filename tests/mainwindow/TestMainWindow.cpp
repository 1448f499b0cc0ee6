// The main window's start-up, settings window, focus order and leaving,
// each on a started window in a scratch folder.
#include "EditingDriver.h"
#include "Sheets.h"
#include "dialogs/ui/Einstellungen.h"
#include "editing/ui/EditorBox.h"
#include "platform/ui/Design.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUpAndRerun()
    {
        EditingDriver f(QSize(1920, 1080));
        f.folder.write(QStringLiteral("bl.dat"), "16%\r\n5%\r\n0%\r\n");
        Form1 &w = f.start();
        QCOMPARE(f.sheet().rows(), 5);
        // The running month opens as "Laden" opens it: recalculated, the cursor on row 3.
        QCOMPARE(f.sheet().textMatrix(3, 4), QStringLiteral("0,00"));
        QCOMPARE(f.sheet().textMatrix(1, 6), QStringLiteral("2026-03"));
        QCOMPARE(QPoint(f.sheet().col(), f.sheet().row()), QPoint(0, 3));
        QCOMPARE(Fixtures::texts(f.sheet())[1].first(3), items("16%|5%|0%"));
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("03"));
        QCOMPARE(w.Combo2->currentText(), QStringLiteral("2026"));
        QVERIFY(QDir(f.folder.file(QStringLiteral("2026"))).exists());
        QVERIFY(MessageBox::takeShown().isEmpty());
        // Scaled once to the screen, across and down by different factors.
        const QRect button = Design::twips(w.Command1[0]);
        QCOMPARE(button, QRect(19659, 63, 4219, 914));
        QCOMPARE(Design::fontPoints(w.Command5), 12.0 * 1.40625);

        w.Combo1->setEditText(QStringLiteral("11"));
        w.Combo2->setEditText(QStringLiteral("2025"));
        f.sheet().setTextMatrix(3, 0, QStringLiteral("12,00"));
        f.sheet().setTextMatrix(2, 8, QStringLiteral("weg"));
        f.sheet().setTextMatrix(4, 0, QStringLiteral("50,00"));
        w.Form_Load();
        w.Form_Load();
        // The grid has the focus after start-up; a first click commits nothing into row 4.
        f.clickCell(3, 8);
        QCOMPARE(f.sheet().textMatrix(4, 0), QStringLiteral("50,00"));
        QCOMPARE(Design::twips(w.Command1[0]), button);
        QCOMPARE(w.Combo33->count(), 12); // the rename list mirrors the buttons once
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("11"));
        QCOMPARE(w.Combo2->currentText(), QStringLiteral("2025"));
        QCOMPARE(f.sheet().textMatrix(3, 0), QStringLiteral("12,00"));
        QCOMPARE(f.sheet().textMatrix(2, 8), QStringLiteral("Übertrag"));
    }

    void quickKeyFileIsCreatedAndReadBack()
    {
        Form1Fixture f;
        f.start();
        QByteArray expected(
            "Tageseinnahme\r\nGutschein\r\nBankeinzahlung\r\nLohnzahlung\r\nPorto\r\nTanken\r\n"
            "Rechnung Bar\r\nB\xFCrobedarf\r\nReinigungsmittel\r\nPrivateinlage\r\nPrivatentnahme\r\nSpende\r\n");
        QCOMPARE(f.folder.read(QStringLiteral("Tasten.txt")), expected);
        f.folder.write(QStringLiteral("Tasten.txt"), expected.replace("Porto", "Briefmarken"));
        f.start();
        QCOMPARE(f.form->Command1[4]->text(), QStringLiteral("Briefmarken"));
        QCOMPARE(f.folder.read(QStringLiteral("Tasten.txt")), expected); // an existing file is left alone
    }

    void unwritableProgramFolderIsReported()
    {
        Form1Fixture f;
        // A program folder below a regular file can hold no year folder, Tasten.txt or bl.dat.
        f.folder.write(QStringLiteral("datei"), "x");
        Form1 w(f.folder.file(QStringLiteral("datei/Barlog")));
        w.Form_Load();
        QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].text.contains(QStringLiteral("2026")));
        QVERIFY(shown[1].text.contains(QStringLiteral("Tasten.txt")));
        QCOMPARE(w.Command1[0]->text(), QStringLiteral("Tageseinnahme"));
        w.einstellungen()->Command1_Click();
        shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QStringLiteral("bl.dat")));
        QVERIFY(!w.ended());
    }

    // A settings file that cannot be read is named once, at the start, and
    // the program goes on with the defaults.
    void aBrokenSettingsFileIsNamedOnce()
    {
        Form1Fixture f;
        f.folder.write(QStringLiteral("bl.dat"), "\x7f\x45\x4c\x46\x02\x01");
        Form1 &w = f.start();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QVERIFY(shown.size() == 1 && shown[0].text.contains(f.folder.file(QStringLiteral("bl.dat"))));
        QCOMPARE(Fixtures::texts(f.sheet())[1].first(3), items("19%|7%|0%"));
        w.Form_Load(); // as after a print-out
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // Each settings file fills its own boxes at every activation: datev.dat
    // without bl.dat is shown; the boxes are saved into all three files, or,
    // when the DATEV values cannot be used, into none. The files' contents are
    // TestDatevSettings'.
    void settingsWindow_data()
    {
        QTest::addColumn<QString>("buSchluessel");
        QTest::addColumn<bool>("saved");
        QTest::newRow("saved") << QStringLiteral("9") << true;
        QTest::newRow("refused") << QStringLiteral("neun") << false;
    }
    void settingsWindow()
    {
        QFETCH(QString, buSchluessel);
        QFETCH(bool, saved);
        Form1Fixture f;
        const QByteArray datev("1234567\r\n42\r\nSKR04\r\n4\r\n1600\r\n4400\r\n4300\r\n4125\r\n6815\r\n9\r\n");
        f.folder.write(QStringLiteral("datev.dat"), datev);
        Form1 &w = f.start();
        w.Command4_Click();
        Einstellungen *e = w.einstellungen();
        // Without bl.dat the rate boxes keep what they show.
        e->Text1[0]->setText(QStringLiteral("20%"));
        e->Command2_Click();
        QVERIFY(!e->isVisible());
        e->Form_Activate();
        QCOMPARE(e->Text1[0]->text(), QStringLiteral("20%"));
        QCOMPARE(e->Text2[Einstellungen::Beraternummer]->text(), QStringLiteral("1234567"));
        // The close box unloads the window; the next opening makes it anew with the design texts.
        w.Command4_Click();
        e->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w.Command4_Click();
        e = w.einstellungen();
        QCOMPARE(e->Text1[0]->text(), QStringLiteral("19%"));
        QVERIFY(e->isVisible());

        f.folder.write(QStringLiteral("bl.dat"), "16%\r\n5%\r\n0%\r\n");
        e->Text1[1]->setText(QStringLiteral("9%"));
        e->Form_Activate();
        QCOMPARE(e->Text1[1]->text(), QStringLiteral("5%"));
        e->Text1[1]->setText(QStringLiteral("9%"));
        e->Text2[Einstellungen::Mandantennummer]->setText(QStringLiteral(" 55003 "));
        e->Text2[Einstellungen::Erloeskonto2]->setText(QStringLiteral("4301"));
        e->Text2[Einstellungen::BuSchluessel]->setText(buSchluessel);
        e->Text3[Einstellungen::Name]->setText(QStringLiteral("Kiosk am Markt"));
        e->Combo2->setCurrentIndex(3);
        e->Command1_Click();
        QCOMPARE(f.folder.read(QStringLiteral("betrieb.dat")),
                 saved ? QByteArray("Kiosk am Markt\r\n\"\"\r\n\"\"\r\n\"\"\r\n3\r\n") : QByteArray());
        const QString told = MessageBox::takeShown().value(0).text;
        QVERIFY2(saved ? told.isEmpty()
                       : told.startsWith(QStringLiteral("Die DATEV-Einstellungen wurden nicht gespeichert:")),
                 qPrintable(told));
        // Saved as shown, with the chart's cash-difference accounts the file did not hold yet.
        QCOMPARE(f.folder.read(QStringLiteral("datev.dat")),
                 saved ? QByteArray("1234567\r\n55003\r\nSKR04\r\n4\r\n1600\r\n4400\r\n4301\r\n4125\r\n6815\r\n9\r\n"
                                    "6969\r\n4839\r\n")
                       : datev);
        QCOMPARE(f.folder.read(QStringLiteral("bl.dat")),
                 QByteArray(saved ? "16%\r\n9%\r\n0%\r\n" : "16%\r\n5%\r\n0%\r\n"));
        QCOMPARE(w.statusText().startsWith(QStringLiteral("Einstellungen gespeichert, ")), saved);
        e->Combo1->setCurrentText(QStringLiteral("SKR03")); // typed, not saved
        e->Form_Activate();
        QCOMPARE(e->Combo1->currentText(), QStringLiteral("SKR04"));
        // Choosing the other chart offers its accounts.
        e->Combo1->setCurrentIndex(0);
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        emit e->Combo1->activated(0);
        QVERIFY(MessageBox::takeShown().value(0).text.startsWith(QStringLiteral("Die üblichen Konten des SKR03")));
        QCOMPARE(e->Text2[Einstellungen::Kasse]->text(), QStringLiteral("1000"));
        QCOMPARE(f.sheet().textMatrix(1, 1), QStringLiteral("7%")); // until the next start-up
        f.start();
        QCOMPARE(f.sheet().textMatrix(1, 1), saved ? QStringLiteral("9%") : QStringLiteral("5%"));
    }

    void leaving_data()
    {
        QTest::addColumn<bool>("viaCloseBox");
        QTest::newRow("Beenden button") << false;
        QTest::newRow("closing the window") << true;
    }
    void leaving()
    {
        QFETCH(bool, viaCloseBox);
        Form1Fixture f;
        Form1 &w = f.start();
        f.sheet().setTextMatrix(3, 8, QStringLiteral("bleibt"));
        auto leave = [&] {
            if (viaCloseBox)
                w.close();
            else
                w.Command5_Click();
        };
        MessageBox::queueAnswer(MessageBox::Answer::No);
        leave();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Barlog wird beendet. Nicht gespeicherte Daten gehen verloren.  "
                                               "Wirklich beenden ?"));
        QCOMPARE(shown[0].title, QStringLiteral("Beenden"));
        QCOMPARE(shown[0].buttons, MessageBox::Buttons::YesNo);
        QVERIFY(w.isVisible() && !w.ended());
        QCOMPARE(f.sheet().textMatrix(3, 8), QStringLiteral("bleibt"));

        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        leave();
        QCOMPARE(MessageBox::takeShown().size(), 1); // no second question on the way out
        QVERIFY(w.ended() && !w.isVisible());
        QVERIFY(!QFile::exists(f.folder.file(QStringLiteral("2026/2026-03.mdb")))); // nothing saved
    }

    void tabOrderFollowsTheDesign()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        // The next control that Tab reaches, past labels, inner parts and the menu bar.
        auto next = [](QWidget *from) {
            QWidget *x = from->nextInFocusChain();
            while (x != from && (!(x->focusPolicy() & Qt::TabFocus) || x->parentWidget() != from->parentWidget()))
                x = x->nextInFocusChain();
            return x;
        };
        QCOMPARE(next(w.Text1), w.Command1[0]);
        QCOMPARE(next(w.Command1[10]), w.Command2);
        QCOMPARE(next(w.Command7), w.flex);
        QCOMPARE(next(w.Command5), w.Text2);
        QCOMPARE(next(w.Command9), w.Command1[11]);
        QCOMPARE(next(w.Command1[11]), w.Combo33);
        QCOMPARE(next(w.Combo33), w.Command10);
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
