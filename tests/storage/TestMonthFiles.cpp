// "Speichern", "Laden" and the open-file window on the started main window:
// their messages, the selectors, nothing written on a refusal, and no typed
// text landing in another month.
#include "MonthFileDriver.h"

#include <QDir>
#include <QFile>

using namespace Fixtures;

namespace {
// Start-up runs on 15 March 2026: the selectors show 2026 and 03.
const QString todaysFile = QStringLiteral("2026/2026-03.mdb");

void checkMessage(const QString &startsWith, const QString &title)
{
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), startsWith.isNull() ? 0 : 1);
    if (!startsWith.isNull()) {
        QVERIFY2(shown[0].text.startsWith(startsWith), qPrintable(shown[0].text));
        QCOMPARE(shown[0].title, title);
    }
}
} // namespace

class TestMonthFiles : public QObject
{
    Q_OBJECT
private slots:
    void aTypedMonthSurvivesARestart()
    {
        MonthFileDriver d;
        d.start();
        d.clickCell(2, 4);
        d.type(QStringLiteral("1000"));
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("Tageseinnahme"));
        d.typeEntry(4, 3, QStringLiteral("12,5"), QStringLiteral("03.03.2026"), QStringLiteral("Gebühr für Café"));
        d.save();
        checkMessage(QString(), QString());
        QList<QStringList> saved = d.body(true); // a blank comes back like an empty cell
        QCOMPARE(d.records(todaysFile), saved);

        d.form.reset();
        d.start();
        d.load();
        checkMessage(QString(), QString());
        saved[0][6] = QStringLiteral("2026-03");
        saved.last()[4] = QStringLiteral("1.237,50"); // the saved new-entry row is an entry row now
        saved << QStringList(10, QStringLiteral(" "));
        QCOMPARE(d.body(true), saved);
        QCOMPARE(d.totals().textMatrix(5, 2), QStringLiteral("1.237,50"));
    }

    void replacing_data()
    {
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::newRow("Ja replaces and keeps the old file as backup") << MessageBox::Answer::Yes;
        QTest::newRow("Nein leaves the bytes on disk") << MessageBox::Answer::No;
    }
    void replacing()
    {
        QFETCH(MessageBox::Answer, answer);
        MonthFileDriver d;
        d.start();
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("alt"));
        d.save();
        const QByteArray first = d.folder.read(todaysFile);
        d.typeEntry(4, 3, QStringLiteral("12,5"), QStringLiteral("03.03.2026"), QStringLiteral("neu"));
        MessageBox::takeShown();
        d.save({answer});
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Speichern"));
        QCOMPARE(shown[0].buttons, MessageBox::Buttons::YesNo);
        QCOMPARE(shown[0].text, QStringLiteral("Die Datei \r\n\r\n2026-03.mdb\r\n\r\nexistiert bereits.\r\n\r\n"
                                               "Soll durch die aktuelle Datei ersetzt werden ?"));
        if (answer == MessageBox::Answer::Yes) {
            QCOMPARE(d.records(todaysFile), d.body(true));
            QCOMPARE(d.folder.read(todaysFile + QStringLiteral(".bak")), first);
        } else {
            QCOMPARE(d.folder.read(todaysFile), first);
            QCOMPARE(folderEntries(d.folder.file(QStringLiteral("2026"))), QStringList{QStringLiteral("2026-03.mdb")});
        }
    }

    // The typed text is taken from the editor box before the check.
    void speichernRefusesATooLongText()
    {
        MonthFileDriver d;
        d.start();
        d.save();
        const QByteArray before = d.folder.read(todaysFile);
        d.clickCell(3, 8);
        d.type(QString(41, QLatin1Char('x')));
        MessageBox::takeShown();
        d.save({MessageBox::Answer::Yes});
        checkMessage(QStringLiteral("Der Monat wurde nicht gespeichert, denn diese Texte sind zu lang für ihre "
                                    "Felder:\r\n\r\nZeile 3, Spalte Text: höchstens 40 Zeichen\r\n\r\n"),
                     QStringLiteral("Barlog"));
        QCOMPARE(d.folder.read(todaysFile), before);
        QCOMPARE(folderEntries(d.folder.file(QStringLiteral("2026"))), QStringList{QStringLiteral("2026-03.mdb")});
    }

    void laden_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("message"); // null: the month loads
        QTest::newRow("selectors at 2021 and 03 read 2021/2021-03.mdb") << "03" << QString();
        QTest::newRow("a missing month file, none before it") << "02"
                                                              << "Datei existiert nicht";
    }
    void laden()
    {
        QFETCH(QString, month);
        QFETCH(QString, message);
        MonthFileDriver d;
        d.start();
        const QList<QStringList> march =
            d.writeMonth(QStringLiteral("2021"), QStringLiteral("03"), QStringLiteral("März"));
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("vorher"));
        const QList<QStringList> before = d.body();
        d.clickCell(3, 8);
        d.type(QStringLiteral("getippt")); // must land in no loaded month
        d.chooseMonth(QStringLiteral("2021"), month);
        d.load();
        QCOMPARE(d.form->Text2->text(), d.folder.file(QStringLiteral("2021/2021-%1.mdb").arg(month)));
        checkMessage(message, QStringLiteral("Barlog"));
        QCOMPARE(d.cell(), message.isNull() ? QPoint(0, 3) : QPoint(8, 3));
        if (message.isNull()) {
            // The editor box sits on the loaded cell with its text.
            QCOMPARE(d.form->Text1->text(), QStringLiteral("5,00"));
            const QRect cell = d.form->flex->cellRect(3, 0);
            const QRect shownCell(d.form->flex->viewport()->mapTo(d.form->Text1->parentWidget(), cell.topLeft()),
                                  cell.size());
            QVERIFY(d.form->Text1->isVisible() && shownCell.contains(d.form->Text1->geometry().center()));
            d.clickCell(4, 8);
        }
        QCOMPARE(d.body(), message.isNull() ? march : before);
    }

    void openFileWindowIsModelessAndKeepsItsText()
    {
        MonthFileDriver d;
        d.start();
        Form2 *o = d.openFileWindow();
        QVERIFY(o->isVisible() && !o->parentWidget() && o->windowModality() == Qt::NonModal);
        QVERIFY(d.form->isEnabled());
        o->Text1->selectAll();
        QTest::keyClicks(o->Text1, QStringLiteral("/irgendwo/2021-03.mdb"));
        QTest::mouseClick(o->Command2, Qt::LeftButton);
        QVERIFY(!o->isVisible());
        QCOMPARE(d.openFileWindow(), o);
        QVERIFY(o->isVisible());
        QCOMPARE(o->Text1->toPlainText(), QStringLiteral("/irgendwo/2021-03.mdb"));
    }

    void oeffnen_data()
    {
        QTest::addColumn<QString>("clicked"); // in the year folder 2021
        QTest::addColumn<QString>("typed");   // relative to the program folder; empty: none
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message"); // null: April loads
        QTest::newRow("the clicked month file") << "2021-04.mdb"
                                                << ""
                                                << "04"
                                                << "2021" << QString();
        QTest::newRow("a typed path against a selected file") << "2021-03.mdb"
                                                              << "2021/2021-04.mdb"
                                                              << "03"
                                                              << "2021" << QString();
        // A file that does not load leaves the selectors at the month the sheet still holds.
        QTest::newRow("a file that is not a database") << "kaputt.mdb"
                                                       << ""
                                                       << "03"
                                                       << "2026"
                                                       << "Error #: 3343\r\n\r\nDie Datei „";
    }
    void oeffnen()
    {
        QFETCH(QString, clicked);
        QFETCH(QString, typed);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, message);
        MonthFileDriver d;
        d.start();
        d.writeMonth(QStringLiteral("2021"), QStringLiteral("03"), QStringLiteral("März"));
        const QList<QStringList> april =
            d.writeMonth(QStringLiteral("2021"), QStringLiteral("04"), QStringLiteral("A"));
        d.folder.write(QStringLiteral("2021/kaputt.mdb"), "Datum;Text\r\n");
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("vorher"));
        const QList<QStringList> before = d.body();
        d.clickCell(3, 8);
        d.type(QStringLiteral("getippt")); // must land in no loaded month
        Form2 *o = d.openFileWindow();
        MonthFileDriver::clickFile(o, d.folder.file(QStringLiteral("2021")), clicked);
        if (!typed.isEmpty()) {
            o->Text1->selectAll();
            QTest::keyClicks(o->Text1, d.folder.file(typed));
        }
        MessageBox::takeShown();
        d.oeffnen(o);
        checkMessage(message, QStringLiteral("Barlog"));
        QCOMPARE(d.form->Combo1->currentText(), month);
        QCOMPARE(d.form->Combo2->currentText(), year);
        QCOMPARE(o->isVisible(), !message.isNull()); // open for another choice after a failure
        if (message.isNull())
            d.clickCell(4, 8);
        QCOMPARE(d.body(), message.isNull() ? april : before);
        if (message.isNull()) // the totals follow the loaded month at once
            QCOMPARE(d.totals().textMatrix(5, 2), QStringLiteral("105,00"));
    }

    void aFollowingSaveGoesToTheSelectorsMonth()
    {
        MonthFileDriver d;
        d.start();
        d.writeMonth(QStringLiteral("2021"), QStringLiteral("03"), QStringLiteral("März"));
        QVERIFY(QDir(d.folder.path()).mkpath(QStringLiteral("woanders")));
        QVERIFY(QFile::copy(d.folder.file(QStringLiteral("2021/2021-03.mdb")),
                            d.folder.file(QStringLiteral("woanders/2021-07.mdb"))));
        Form2 *o = d.openFileWindow();
        MonthFileDriver::clickFile(o, d.folder.file(QStringLiteral("woanders")), QStringLiteral("2021-07.mdb"));
        d.oeffnen(o);
        d.save();
        checkMessage(QString(), QString()); // 2021-07 is new in its year folder
        QCOMPARE(d.records(QStringLiteral("2021/2021-07.mdb")), d.body(true));
    }
};

QTEST_MAIN(TestMonthFiles)
#include "TestMonthFiles.moc"
