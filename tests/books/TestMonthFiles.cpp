// "Speichern", "Laden" and the open-file window on the started main window:
// their messages, the selectors, nothing written on a refusal, and no typed
// text landing in another month. The storage rules are the core tests'.
#include "MonthFileDriver.h"
#include "storage/MonthPath.h"

#include <QDir>
#include <QFile>

namespace {
// Start-up runs on 15 March 2026: the selectors show 2026 and 03.
const QString todaysFile = QStringLiteral("2026/2026-03.mdb");

// The one message shown starts with the text, or none is shown for "".
void checkMessage(const QString &startsWith)
{
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), startsWith.isEmpty() ? 0 : 1);
    if (!startsWith.isEmpty()) {
        QVERIFY2(shown[0].text.startsWith(startsWith), qPrintable(shown[0].text));
        QCOMPARE(shown[0].title, QStringLiteral("Barlog"));
    }
}
} // namespace

class TestMonthFiles : public QObject
{
    Q_OBJECT
private slots:
    void replacing_data()
    {
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::newRow("Ja saves the sheet") << MessageBox::Answer::Yes;
        QTest::newRow("Nein leaves the bytes on disk") << MessageBox::Answer::No;
    }
    void replacing()
    {
        QFETCH(MessageBox::Answer, answer);
        MonthFileDriver d;
        d.start();
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("alt"));
        d.save();
        checkMessage(QString()); // a new month asks nothing
        // The status line says what was saved; the mark shows unsaved work.
        const QString savedOne = QStringLiteral("2026-03 gespeichert: 1 Buchung, ");
        QVERIFY2(d.form->statusText().startsWith(savedOne), qPrintable(d.form->statusText()));
        QCOMPARE(d.form->unsavedMark(), QString());
        const QByteArray first = d.folder.read(todaysFile);
        d.typeEntry(4, 3, QStringLiteral("12,5"), QStringLiteral("03.03.2026"), QStringLiteral("Gebühr für Café"));
        QTRY_COMPARE(d.form->unsavedMark(), QStringLiteral("Nicht gespeichert"));
        d.save({answer});
        QVERIFY(d.form->statusText().startsWith(answer == MessageBox::Answer::Yes
                                                    ? QStringLiteral("2026-03 gespeichert: 2 Buchungen, ")
                                                    : savedOne));
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, replaceQuestion(QStringLiteral("2026"), QStringLiteral("03")));
        QVERIFY(shown[0].title == QStringLiteral("Speichern") && shown[0].buttons == MessageBox::Buttons::YesNo);
        QCOMPARE(shown[0].returnAnswer, MessageBox::Answer::Yes); // the month the sheet was loaded from
        if (answer == MessageBox::Answer::Yes)
            QCOMPARE(d.records(todaysFile), d.body(true));
        else
            QCOMPARE(d.folder.read(todaysFile), first);
    }

    // The day a shop owner restarts: the running month is open again, and
    // the next save keeps every booking. Another month's file, which the
    // sheet was not loaded from, is replaced only when the user says so.
    void aRestartOpensTheRunningMonth()
    {
        MonthFileDriver d;
        d.start();
        for (int i = 0; i < 3; ++i)
            d.typeEntry(3 + i, 0, QStringLiteral("1%1").arg(i), QStringLiteral("0%1.03.2026").arg(i + 1),
                        QStringLiteral("Buchung %1").arg(i));
        d.save();
        const QList<QStringList> saved = d.body(true);
        d.start();
        QCOMPARE(d.body(true), saved);
        QCOMPARE(d.cell(), QPoint(0, 6)); // below the last booking
        d.type(QStringLiteral("50"));
        d.key(Qt::Key_Return);
        d.save({MessageBox::Answer::Yes});
        MessageBox::takeShown();
        QCOMPARE(d.records(todaysFile).size(), 2 + 4);

        d.writeMonth(QStringLiteral("2026"), QStringLiteral("02"), QStringLiteral("Februar"));
        const QByteArray february = d.folder.read(QStringLiteral("2026/2026-02.mdb"));
        d.chooseMonth(QStringLiteral("2026"), QStringLiteral("02"));
        d.save(); // Return declines
        const MessageBox::Shown asked = MessageBox::takeShown().value(0);
        QCOMPARE(asked.text, MonthStorage::foreignReplaceQuestion(QStringLiteral("2026"), QStringLiteral("02"), 1));
        QCOMPARE(asked.returnAnswer, MessageBox::Answer::No);
        QCOMPARE(d.folder.read(QStringLiteral("2026/2026-02.mdb")), february);
    }

    // A month comes in by "Laden" at the selectors or by "Öffnen" in the
    // open-file window; a failure keeps the sheet and the window open.
    void loading_data()
    {
        QTest::addColumn<QString>("month");     // "Laden" at 2021 and this month; empty: "Öffnen"
        QTest::addColumn<QString>("clicked");   // in the year folder 2021
        QTest::addColumn<QString>("typed");     // relative to the program folder; empty: none
        QTest::addColumn<QString>("selectors"); // year and month after "Öffnen"
        QTest::addColumn<QString>("message");   // empty: March ("Laden") or April ("Öffnen") loads
        textRow("Laden at 2021 and 03 reads 2021/2021-03.mdb", "03", "", "", "", "");
        textRow("Laden of a missing month file", "02", "", "", "", "Datei existiert nicht");
        textRow("Öffnen of the clicked month file", "", "2021-04.mdb", "", "202104", "");
        textRow("Öffnen of a typed path against a selected file", "", "2021-03.mdb", "2021/2021-04.mdb", "202103", "");
        // A file that does not load leaves the selectors at the month the sheet still holds.
        textRow("Öffnen of a file that is not a database", "", "kaputt.mdb", "", "202603",
                "Error #: 3343\r\n\r\nDie Datei „");
    }
    void loading()
    {
        QFETCH(QString, month);
        QFETCH(QString, clicked);
        QFETCH(QString, typed);
        QFETCH(QString, selectors);
        QFETCH(QString, message);
        MonthFileDriver d;
        d.start();
        const QList<QStringList> march =
            d.writeMonth(QStringLiteral("2021"), QStringLiteral("03"), QStringLiteral("März"));
        const QList<QStringList> april =
            d.writeMonth(QStringLiteral("2021"), QStringLiteral("04"), QStringLiteral("April"));
        d.folder.write(QStringLiteral("2021/kaputt.mdb"), "Datum;Text\r\n");
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("vorher"));
        const QList<QStringList> before = d.body();
        d.clickCell(3, 8);
        d.type(QStringLiteral("getippt")); // must land in no loaded month
        const bool loads = message.isEmpty();
        if (!month.isEmpty()) {
            d.chooseMonth(QStringLiteral("2021"), month);
            d.load();
            QCOMPARE(d.form->Text2->text(), d.folder.file(QStringLiteral("2021/2021-%1.mdb").arg(month)));
            checkMessage(message);
            QCOMPARE(d.cell(), loads ? QPoint(0, 3) : QPoint(8, 3));
            if (loads) {
                // The editor box sits on the loaded cell with its text.
                QCOMPARE(d.form->Text1->text(), QStringLiteral("5,00"));
                const QRect cell = d.form->flex->cellRect(3, 0);
                const QRect shownCell(d.form->flex->viewport()->mapTo(d.form->Text1->parentWidget(), cell.topLeft()),
                                      cell.size());
                QVERIFY(d.form->Text1->isVisible() && shownCell.contains(d.form->Text1->geometry().center()));
            }
        } else {
            Form2 *o = d.openFileWindow();
            MonthFileDriver::clickFile(o, d.folder.file(QStringLiteral("2021")), clicked);
            if (!typed.isEmpty()) {
                o->Text1->selectAll();
                QTest::keyClicks(o->Text1, d.folder.file(typed));
            }
            d.oeffnen(o);
            checkMessage(message);
            QCOMPARE(o->isVisible(), !loads); // open for another choice after a failure
            QCOMPARE(d.form->Combo2->currentText() + d.form->Combo1->currentText(), selectors);
            if (loads) // the totals follow the loaded month at once
                QCOMPARE(d.totals().textMatrix(5, 2), QStringLiteral("105,00"));
        }
        if (loads)
            d.clickCell(4, 8);
        QCOMPARE(d.body(), loads ? (month.isEmpty() ? april : march) : before);
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
        checkMessage(QString()); // 2021-07 is new in its year folder
        QCOMPARE(d.records(QStringLiteral("2021/2021-07.mdb")), d.body(true));
    }
};

QTEST_MAIN(TestMonthFiles)
#include "TestMonthFiles.moc"
