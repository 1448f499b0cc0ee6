// The menu bar above the design: its commands, their shortcuts, and the
// design below it in its old place.
#include "Form1Fixture.h"
#include "dialogs/ui/Form2.h"
#include "editing/ui/EditorBox.h"
#include "platform/ui/Design.h"
#include "printing/ui/Druckerwahl.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
QStringList entries(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text() + QLatin1Char('|') + a->shortcut().toString());
    return texts;
}
} // namespace

class TestMenuBar : public QObject
{
    Q_OBJECT
private slots:
    void theMenusHoldTheirCommands()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        QStringList menus;
        for (const QAction *a : w.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Monat"), QStringLiteral("&Hilfe")}));
        QCOMPARE(
            entries(w.dateiMenu()),
            (QStringList{
                QStringLiteral("&Laden|Ctrl+O"), QStringLiteral("&Speichern|Ctrl+S"),
                QStringLiteral("Datei s&uchen …|Ctrl+F"), QStringLiteral("&Drucken …|Ctrl+P"), QStringLiteral("-"),
                QStringLiteral("Als PDF speichern …|"), QStringLiteral("Druckvorschau …|"), QStringLiteral("-"),
                QStringLiteral("Monat als CSV exportieren …|"), QStringLiteral("Monat im DATEV-Format exportieren …|"),
                QStringLiteral("Jahr im DATEV-Format exportieren …|"), QStringLiteral("-"),
                QStringLiteral("Jahresübersicht …|"), QStringLiteral("-"), QStringLiteral("&Beenden|Ctrl+Q")}));
        QCOMPARE(entries(w.findChild<QMenu *>(QStringLiteral("mnuMonat"))),
                 (QStringList{QStringLiteral("&Abschließen …|"), QStringLiteral("&Storno|"),
                              QStringLiteral("Änderungs&protokoll|")}));
        QCOMPARE(entries(w.findChild<QMenu *>(QStringLiteral("mnuHilfe"))),
                 QStringList{QStringLiteral("Über &Barlog|")});
    }

    // The design keeps its size and places below the menu bar; the window grows by the bar.
    void theDesignSitsBelowTheMenuBar()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        QWidget *client = w.Text1->parentWidget();
        const int bar = w.menuBar()->height();
        QVERIFY(bar > 0);
        QCOMPARE(client->geometry(), QRect(0, bar, 1016, 706));
        QCOMPARE(w.size(), QSize(1016, 706 + bar));
        QCOMPARE(w.Command7->parentWidget(), client);
        QCOMPARE(Design::twips(w.Command7), QRect(12870, 6300, 2265, 930));
    }

    // Each shortcut does what its button does.
    void shortcutsDoWhatTheButtonsDo_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << "saved";
        QTest::newRow("Ctrl+O loads") << int(Qt::Key_O) << "Datei existiert nicht";
        QTest::newRow("Ctrl+F opens the open-file window") << int(Qt::Key_F) << "Form2";
        QTest::newRow("Ctrl+P opens the printer window") << int(Qt::Key_P) << "Druckerwahl";
        QTest::newRow("Ctrl+Q asks before ending")
            << int(Qt::Key_Q) << "Barlog wird beendet. Nicht gespeicherte Daten gehen verloren.  Wirklich beenden ?";
    }
    void shortcutsDoWhatTheButtonsDo()
    {
        QFETCH(int, key);
        QFETCH(QString, outcome);
        Form1Fixture f;
        Form1 &w = f.start();
        MessageBox::takeShown();
        QTest::keyClick(w.Text1, static_cast<Qt::Key>(key), Qt::ControlModifier);
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        if (outcome == QStringLiteral("saved"))
            QVERIFY(QFile::exists(f.folder.file(QStringLiteral("2026/2026-03.mdb"))));
        else if (outcome == QStringLiteral("Form2"))
            QVERIFY(w.form2()->isVisible());
        else if (outcome == QStringLiteral("Druckerwahl"))
            QVERIFY(w.druckerwahl()->isVisible());
        else
            QCOMPARE(shown.value(0).text, outcome);
        QVERIFY(!w.ended());
    }
};

QTEST_MAIN(TestMenuBar)
#include "TestMenuBar.moc"
