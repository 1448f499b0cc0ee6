// The "Datei" menu's data-out commands, driven on the real main window:
// what each proposes, when it refuses, and that it writes what the core
// makes of the shown sheet.
#include "EditingDriver.h"

#include "dialogs/ui/Jahresuebersicht.h"
#include "platform/ui/Design.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Screen.h"
#include "storage/CsvExport.h"
#include "storage/YearOverview.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {
void trigger(Form1 &w, const char *action)
{
    QAction *a = w.findChild<QAction *>(QLatin1StringView(action));
    QVERIFY(a != nullptr);
    a->trigger();
}

// One income and one expense, dated in March 2026 unless told otherwise.
void fillMarch(FlexGridStore &g, const QString &expenseDate = QStringLiteral("05.03.2026"))
{
    g.setTextMatrix(2, 4, QStringLiteral("100,00"));
    g.setRows(6);
    g.setTextMatrix(3, 0, QStringLiteral("119,00"));
    g.setTextMatrix(3, 7, QStringLiteral("02.03.2026"));
    g.setTextMatrix(3, 8, QStringLiteral("Tageseinnahme"));
    g.setTextMatrix(4, 3, QStringLiteral("9,99"));
    g.setTextMatrix(4, 7, expenseDate);
    g.setTextMatrix(4, 8, QStringLiteral("Porto"));
}

void writeDatevSettings(const ProgramFolder &folder)
{
    folder.write(QStringLiteral("datev.dat"),
                 "29098\r\n55003\r\nSKR03\r\n4\r\n1000\r\n8400\r\n8300\r\n8200\r\n4980\r\n9\r\n");
}

// "Speichern" of the sheet as the given month of 2026.
void saveAs(Form1 &w, const QString &month)
{
    w.Combo1->setEditText(month);
    w.Command7_Click();
    QCOMPARE(MessageBox::takeShown().size(), 0);
}
} // namespace

class TestExportCommands : public QObject
{
    Q_OBJECT
private slots:
    void theMenuBarSitsAboveTheDesign()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        const int bar = w.MenuBar1->height();
        QCOMPARE(w.MenuBar1->geometry().topLeft(), QPoint(0, 0));
        // Every control keeps its design place, measured from below the bar.
        QCOMPARE(w.flex->mapTo(&w, QPoint(0, 0)), QPoint(0, bar));
        QCOMPARE(w.Command5->mapTo(&w, QPoint(0, 0)),
                 QPoint(Screen::twipsToPixels(12870), bar + Screen::twipsToPixels(7245)));
        QCOMPARE(w.height(), Screen::twipsToPixels(Design::clientTwips(&w).height()) + bar);
        QStringList items;
        for (QAction *a : w.MenuBar1->actions().first()->menu()->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{QStringLiteral("Als PDF speichern …"), QStringLiteral("Druckvorschau …"),
                                     QString(), QStringLiteral("Monat als CSV exportieren …"),
                                     QStringLiteral("Monat im DATEV-Format exportieren …"),
                                     QStringLiteral("Jahr im DATEV-Format exportieren …"), QString(),
                                     QStringLiteral("Jahresübersicht …")}));
    }

    // The entry being typed is part of the month the file gets.
    void csvWritesTheShownMonth()
    {
        EditingDriver d;
        Form1 &w = d.start();
        fillMarch(d.sheet());
        d.clickCell(5, 0);
        d.type(QStringLiteral("12,5"));
        const QString path = d.folder.file(QStringLiteral("märz.csv"));
        FileDialog::queueAnswer(path);
        trigger(w, "CsvExport");
        QCOMPARE(FileDialog::takeAsked().value(0).proposed, d.folder.file(QStringLiteral("2026/2026-03.csv")));
        QCOMPARE(d.text(5, 0), QStringLiteral("12,50"));
        QCOMPARE(d.folder.read(QStringLiteral("märz.csv")), CsvExport::write(d.sheet()));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void datevMonth_data()
    {
        QTest::addColumn<QString>("expenseDate");
        QTest::addColumn<QString>("message"); // empty: written
        QTest::newRow("written") << QStringLiteral("05.03.2026") << QString();
        QTest::newRow("a date in April") << QStringLiteral(
            "05.04.2026") << QStringLiteral("Zeile 4: Das Datum 05.04.2026 liegt nicht im Monat 03/2026.");
    }
    void datevMonth()
    {
        QFETCH(QString, expenseDate);
        QFETCH(QString, message);
        Form1Fixture f;
        Form1 &w = f.start();
        writeDatevSettings(f.folder);
        fillMarch(f.sheet(), expenseDate);
        const QString path = f.folder.file(QStringLiteral("extf.csv"));
        if (message.isEmpty())
            FileDialog::queueAnswer(path);
        trigger(w, "DatevMonat");
        const QList<FileDialog::Asked> asked = FileDialog::takeAsked();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        if (message.isEmpty()) {
            QCOMPARE(shown.size(), 0);
            QCOMPARE(asked.value(0).proposed, f.folder.file(QStringLiteral("2026/EXTF_Buchungsstapel_2026-03.csv")));
            QVERIFY(f.folder.read(QStringLiteral("extf.csv")).startsWith("\"EXTF\";700;21;\"Buchungsstapel\";13;"));
            return;
        }
        // Refused before anything is asked or written.
        QCOMPARE(asked.size(), 0);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(message), qPrintable(shown[0].text));
        QVERIFY(!QFile::exists(path));
    }

    void datevYearTakesEveryMonthFile()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        writeDatevSettings(f.folder);
        fillMarch(f.sheet());
        saveAs(w, QStringLiteral("03"));
        f.sheet().setTextMatrix(3, 7, QStringLiteral("02.01.2026"));
        f.sheet().setTextMatrix(4, 7, QStringLiteral("31.01."));
        saveAs(w, QStringLiteral("01"));
        FileDialog::queueAnswer(f.folder.file(QStringLiteral("jahr.csv")));
        trigger(w, "DatevJahr");
        QCOMPARE(FileDialog::takeAsked().value(0).proposed,
                 f.folder.file(QStringLiteral("2026/EXTF_Buchungsstapel_2026.csv")));
        QCOMPARE(MessageBox::takeShown().size(), 0);
        const QList<QByteArray> lines = f.folder.read(QStringLiteral("jahr.csv")).split('\n');
        QCOMPARE(lines.size(), 2 + 4 + 1);
        QVERIFY(lines[0].contains(";20260101;20261231;\"Kassenbuch 2026\";"));
        QVERIFY(lines[2].contains(";0201;"));
        QVERIFY(lines[5].contains(";0503;"));
    }

    void yearOverviewShowsTheYearFolder()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        fillMarch(f.sheet());
        saveAs(w, QStringLiteral("03"));
        w.Combo2->setEditText(QStringLiteral("2026"));
        trigger(w, "Jahresuebersicht");
        Jahresuebersicht *overview = w.jahresuebersicht();
        QVERIFY(overview->isVisible());
        QCOMPARE(overview->Label1->text(), QStringLiteral("Jahresübersicht 2026"));
        const QList<QStringList> table = YearOverview::table(YearOverview::read(f.folder.path(), 2026));
        const FlexGridStore &g = overview->flex->store();
        QCOMPARE(g.rows(), table.size());
        for (int r = 0; r < g.rows(); ++r)
            for (int c = 0; c < g.cols(); ++c)
                QCOMPARE(g.textMatrix(r, c), table[r][c]);
        QCOMPARE(g.textMatrix(4, 1), QStringLiteral("119,00")); // March at 19 %
    }
};

QTEST_MAIN(TestExportCommands)
#include "TestExportCommands.moc"
