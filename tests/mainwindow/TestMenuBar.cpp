// The menu bar above the design: its commands, their shortcuts, the design
// below it in its old place, and the data-out commands reaching their
// exporters with their file dialogs and messages.
#include "EditingDriver.h"
#include "Sheets.h"
#include "StorageFixtures.h"

#include "dialogs/ui/Form2.h"
#include "dialogs/ui/Handbuch.h"
#include "editing/ui/EditorBox.h"
#include "exports/ui/Jahresuebersicht.h"
#include "platform/ui/Design.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Screen.h"
#include "printing/ui/Druckerwahl.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>

namespace {
void trigger(Form1 &w, const QString &caption)
{
    for (QAction *a : w.menuBar()->actions().first()->menu()->actions()) {
        if (a->text() == caption)
            return a->trigger();
    }
    QFAIL(qPrintable(caption));
}

// March 2026 saved with one income and one expense.
void saveMarch(Form1 &w, FlexGridStore &g)
{
    g.setTextMatrix(2, 4, QStringLiteral("100,00"));
    g.setRows(6);
    Fixtures::setRow(g, 3, {QStringLiteral("119,00"), {}, {}, {}, {}, {}, {}, QStringLiteral("02.03.2026")});
    Fixtures::setRow(g, 4, {{}, {}, {}, QStringLiteral("9,99"), {}, {}, {}, QStringLiteral("05.03.2026")});
    w.Combo1->setEditText(QStringLiteral("03"));
    w.Command7_Click();
    QCOMPARE(MessageBox::takeShown().size(), 0);
}
} // namespace

class TestMenuBar : public QObject
{
    Q_OBJECT
private slots:
    // The design keeps its size and places between the menu bar and the
    // status line; the window grows by both.
    void theDesignSitsBelowTheMenuBar()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        const int bar = w.menuBar()->height();
        const auto *status = w.findChild<QStatusBar *>(QStringLiteral("statusBar"));
        QVERIFY(bar > 0 && status != nullptr && status->height() > 0);
        QCOMPARE(w.flex->mapTo(&w, QPoint(0, 0)), QPoint(0, bar));
        const int design = Screen::twipsToPixels(Design::clientTwips(&w).height());
        QCOMPARE(status->y(), bar + design);
        QCOMPARE(w.height(), design + bar + status->height());
    }

    // "Hilfe": the manual the program carries, and the version.
    void helpMenu()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        MessageBox::takeShown();
        w.findChild<QAction *>(QStringLiteral("mnuHandbuch"))->trigger();
        QVERIFY(w.handbuch()->isVisible());
        const QString manual = w.handbuch()->Text1->toPlainText();
        for (const char *topic : {"Der tägliche Ablauf", "Einen Monat abschließen", "Storno", "Die Exporte",
                                  "Wo die Dateien liegen", "Aus der .bak-Datei wiederherstellen"})
            QVERIFY2(manual.contains(QString::fromUtf8(topic)), topic);
        w.findChild<QAction *>(QStringLiteral("mnuUeber"))->trigger();
        const QString about = MessageBox::takeShown().value(0).text;
        QVERIFY2(about.contains(QRegularExpression(QStringLiteral("^Barlog \\d+\\.\\d+\\.\\d+, "))), qPrintable(about));
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

    // An income typed but not yet entered is part of the month's files.
    void commands_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("settings");    // datev.dat with the adviser's numbers
        QTest::addColumn<QString>("proposed"); // empty: no file dialog
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("CSV") << QStringLiteral("Monat als CSV exportieren …") << false
                             << QStringLiteral("2026/2026-03.csv") << QByteArray("\r\n12,50;;;9,99;") << QString();
        QTest::newRow("DATEV month") << QStringLiteral("Monat im DATEV-Format exportieren …") << true
                                     << QStringLiteral("2026/EXTF_Buchungsstapel_2026-03.csv")
                                     << QByteArray("\r\n12,50;\"S\";") << QString();
        QTest::newRow("DATEV year, saved months only") << QStringLiteral("Jahr im DATEV-Format exportieren …") << true
                                                       << QStringLiteral("2026/EXTF_Buchungsstapel_2026.csv")
                                                       << QByteArray(";20261231;\"Kassenbuch 2026\";") << QString();
        QTest::newRow("DATEV without numbers")
            << QStringLiteral("Monat im DATEV-Format exportieren …") << false << QString() << QByteArray()
            << QStringLiteral("Für den DATEV-Export müssen Beraternummer und Mandantennummer eingetragen sein.");
    }
    void commands()
    {
        QFETCH(QString, caption);
        QFETCH(bool, settings);
        QFETCH(QString, proposed);
        QFETCH(QByteArray, written);
        QFETCH(QString, message);
        EditingDriver d;
        Form1 &w = d.start();
        if (settings)
            d.folder.write(QStringLiteral("datev.dat"),
                           "29098\r\n55003\r\nSKR03\r\n4\r\n1000\r\n8400\r\n8300\r\n8200\r\n4980\r\n9\r\n");
        saveMarch(w, d.sheet());
        d.clickCell(4, 0);
        d.type(QStringLiteral("12,5"));
        // A refused export asks for no file; no answer is left for the next test.
        if (!proposed.isEmpty())
            FileDialog::queueAnswer(d.folder.file(QStringLiteral("export.csv")));
        trigger(w, caption);
        QCOMPARE(FileDialog::takeAsked().value(0).proposed, proposed.isEmpty() ? QString() : d.folder.file(proposed));
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QVERIFY2(message.isEmpty() ? shown.isEmpty() : shown.size() == 1 && shown[0].text.contains(message),
                 qPrintable(shown.value(0).text));
        const QByteArray file = d.folder.read(QStringLiteral("export.csv"));
        QVERIFY2(written.isEmpty() ? file.isEmpty() : file.contains(written), file.left(300).constData());
        // What was written is told in the status line.
        QCOMPARE(w.statusText().contains(QStringLiteral(" geschrieben: export.csv, ")), !written.isEmpty());
    }

    // April under other rates: more columns than the window is wide, reached by scrolling.
    void yearOverviewShowsTheSavedMonths()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        saveMarch(w, f.sheet());
        const modul::RateTexts april{QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")};
        for (int c = 0; c < modul::RateCount; ++c)
            f.sheet().setTextMatrix(modul::RowRates, c, april[static_cast<size_t>(c)]);
        w.Combo1->setEditText(QStringLiteral("04"));
        w.Command7_Click();
        w.Combo2->setEditText(QStringLiteral("2026"));
        trigger(w, QStringLiteral("Jahresübersicht …"));
        Jahresuebersicht *overview = w.jahresuebersicht();
        QVERIFY(overview->isVisible());
        QCOMPARE(overview->Label1->text(), QStringLiteral("Jahresübersicht 2026"));
        QCOMPARE(overview->flex->store().textMatrix(4, 1), QStringLiteral("119,00")); // March at 19 %
        QCOMPARE(overview->flexUst->store().textMatrix(4, 1), QStringLiteral("100")); // its Kz 81
        QVERIFY(overview->flex->store().cols() > 15);
        QVERIFY(overview->flex->geometry().right() < overview->width());
        QTRY_VERIFY(overview->flex->horizontalScrollBar()->isVisible());
    }

    // An open month is named and asked about, Return meaning "Nein"; the
    // ZIP is written whole or not at all.
    void auditExport_data()
    {
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::addColumn<QString>("target"); // what the file dialog answers, in the program folder
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("Nein exports nothing") << MessageBox::Answer::No << QString() << false << QString();
        QTest::newRow("Ja writes the ZIP") << MessageBox::Answer::Yes << QStringLiteral("audit.zip") << true
                                           << QStringLiteral("Die Daten für die Betriebsprüfung 2026 sind gespeichert");
        QTest::newRow("a folder in the way leaves nothing behind")
            << MessageBox::Answer::Yes << QStringLiteral("2026") << false
            << QStringLiteral("kann nicht geschrieben werden");
    }
    void auditExport()
    {
        QFETCH(MessageBox::Answer, answer);
        QFETCH(QString, target);
        QFETCH(bool, written);
        QFETCH(QString, message);
        Form1Fixture f;
        Form1 &w = f.start();
        saveMarch(w, f.sheet());
        const QStringList before = Fixtures::folderEntries(f.folder.path());
        MessageBox::queueAnswer(answer);
        if (!target.isEmpty())
            FileDialog::queueAnswer(f.folder.file(target));
        trigger(w, QStringLiteral("Daten für die Betriebsprüfung …"));
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QVERIFY(!shown.isEmpty());
        QVERIFY2(shown[0].text.contains(QStringLiteral("2026-03")), qPrintable(shown[0].text));
        QCOMPARE(shown[0].returnAnswer, MessageBox::Answer::No);
        QCOMPARE(FileDialog::takeAsked().value(0).proposed,
                 target.isEmpty() ? QString() : f.folder.file(QStringLiteral("2026/Betriebsprüfung 2026.zip")));
        QCOMPARE(f.folder.read(QStringLiteral("audit.zip")).startsWith("PK"), written);
        QVERIFY2(message.isEmpty() ? shown.size() == 1 : shown.last().text.contains(message),
                 qPrintable(shown.last().text));
        QStringList after = Fixtures::folderEntries(f.folder.path());
        after.removeAll(QStringLiteral("audit.zip"));
        QCOMPARE(after, before);
    }
};

QTEST_MAIN(TestMenuBar)
#include "TestMenuBar.moc"
