// The count window as the main window wires it: the keyboard, the refusals
// it shows, storing and booking, the log window, the close question and the
// print-out. The rules behind it are tested in the core tests.
#include "MonthFileDriver.h"
#include "books/ui/Aenderungsprotokoll.h"
#include "books/ui/Kassensturz.h"
#include "platform/ui/FileDialog.h"
#include "storage/MonthDatabase.h"

#include <QLineEdit>
#include <QTableWidget>

namespace {
const QString monthFile = QStringLiteral("2026/2026-03.mdb");
// 336,27: one each of 200, 100, 20, 10, 5 and 1 euro, 20, 5 and 2 cent.
const QStringList drawer = {
    QString(),           QStringLiteral("1"), QStringLiteral("1"), QString(),           QStringLiteral("1"),
    QStringLiteral("1"), QStringLiteral("1"), QString(),           QStringLiteral("1"), QString(),
    QStringLiteral("1"), QString(),           QStringLiteral("1"), QStringLiteral("1"), QString()};

// March of today with 337,50 in the drawer by the book: saved unless asked not to.
Kassensturz &openOnMarch(MonthFileDriver &d, bool saved = true)
{
    d.start();
    d.typeEntry(3, 0, QStringLiteral("337,50"), QStringLiteral("02.03.2026"), QStringLiteral("Tageseinnahme"));
    if (saved)
        d.save();
    MessageBox::takeShown();
    d.trigger("mnuKassensturz");
    Kassensturz &k = *d.form->kassensturz();
    QApplication::setActiveWindow(&k);
    return k;
}

// Types each field's pieces and leaves it with Return, as the keyboard goes.
void countDrawer(Kassensturz &k, const QStringList &fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        QLineEdit *field = k.pieces[static_cast<size_t>(i)];
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClicks(field, fields[i]);
        QTest::keyClick(field, Qt::Key_Return);
    }
}
} // namespace

class TestKassensturz : public QObject
{
    Q_OBJECT
private slots:
    // A drawer 1,23 short: Return leads through the fields, a word is
    // refused where it was typed; "Speichern" keeps the count, "Ja" books
    // the shortage into the sheet, and the change log lists the count.
    void aShortDrawerIsStoredAndBooked()
    {
        MonthFileDriver d;
        Kassensturz &k = openOnMarch(d);
        QCOMPARE(k.windowTitle(), QStringLiteral("Kassensturz 2026-03"));
        QCOMPARE(k.bookBalance->text(), QStringLiteral("337,50"));
        QTest::keyClicks(k.pieces[0], QStringLiteral("zwei"));
        QTest::keyClick(k.pieces[0], Qt::Key_Return);
        QVERIFY(MessageBox::takeShown().value(0).text.startsWith(QStringLiteral("„zwei“ ist keine gültige Anzahl.")));
        QVERIFY(k.pieces[0]->hasFocus());
        k.pieces[0]->clear();
        countDrawer(k, drawer);
        QVERIFY(k.countedBy->hasFocus());
        QTest::keyClicks(k.countedBy, QStringLiteral("Anna"));
        QTest::keyClick(k.countedBy, Qt::Key_Return);
        QTest::keyClick(k.note, Qt::Key_Return);
        QCOMPARE(k.countedTotal->text(), QStringLiteral("336,27"));
        QCOMPARE(k.difference->text(), QStringLiteral("-1,23 (Fehlbetrag)"));

        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        QVERIFY(k.saveButton->hasFocus());
        QTest::keyClick(k.saveButton, Qt::Key_Return);
        QCOMPARE(MessageBox::takeShown().value(0).text,
                 QStringLiteral("Die Zählung ergibt einen Fehlbetrag von 1,23 €. Soll er als Ausgabe gebucht werden ?"
                                "\r\n\r\nDie Buchung kommt als neue Zeile ins Kassenbuch und wird mit dem Monat "
                                "gespeichert."));
        CashCount::Counts counts;
        QVERIFY(MonthDatabase::readCounts(d.folder.file(monthFile), counts).ok());
        QCOMPARE(counts.size(), size_t(1));
        QCOMPARE(counts[0].countedBy, QStringLiteral("Anna"));
        QCOMPARE(k.storedCounts->item(0, 4)->text(), QStringLiteral("-1,23"));
        QVERIFY(k.pieces[0]->isReadOnly() && k.printButton->isEnabled());
        // The row itself is TestCashCount's; here it lands below the entry, recalculated.
        QCOMPARE((QStringList{d.text(4, 3), d.text(4, 4), d.text(4, 7)}),
                 (QStringList{QStringLiteral("1,23"), QStringLiteral("336,27"), QStringLiteral("15.03.2026")}));

        // The log window shows the newest link first: the count, then the
        // save's entries, each with its row, column, old and new text.
        d.trigger("mnuProtokoll");
        const QTableWidget *log = d.form->aenderungsprotokoll()->Table1;
        QCOMPARE(log->item(0, 0)->text().toLongLong(), counts[0].number);
        QCOMPARE(log->item(0, 3)->text(), QStringLiteral("Kassenzählung"));
        QList<QStringList> rows;
        for (int r = 0; r < log->rowCount(); ++r)
            rows << QStringList{log->item(r, 2)->text(), log->item(r, 3)->text(), log->item(r, 4)->text(),
                                log->item(r, 5)->text()};
        QVERIFY(rows.contains(QStringList{QStringLiteral("3"), QStringLiteral("Einnahmen 19 %"), QStringLiteral("—"),
                                          QStringLiteral("337,50")}));
        QCOMPARE(log->item(log->rowCount() - 1, 0)->text(), QStringLiteral("1"));
    }

    // The count goes into the running month as saved, or nowhere; a sheet
    // changed while the window was open is compared anew first.
    void aCountIsRefusedWhereTheSheetIsNotTheFile_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("change"); // after the window opened
        QTest::addColumn<QString>("message");
        const QString notStored = QStringLiteral("Die Kassenzählung wurde nicht gespeichert.\r\n\r\n");
        QTest::newRow("unsaved changes") << false << QString()
                                         << notStored
                                                + QStringLiteral("Der Monat 2026-03 hat Änderungen, die nicht "
                                                                 "gespeichert sind. Bitte zuerst den Monat speichern, "
                                                                 "dann die Zählung.");
        QTest::newRow("another month shown")
            << true << QStringLiteral("month")
            << notStored
                   + QStringLiteral("Sie gehört in den laufenden Monat 2026-03, das Kassenbuch zeigt aber einen "
                                    "anderen Monat. Bitte den Monat 2026-03 laden und erneut zählen.");
        QTest::newRow("a booking saved since") << true << QStringLiteral("booking")
                                               << QStringLiteral("Das Kassenbuch zeigt inzwischen den Monat 2026-03 "
                                                                 "mit dem Bestand 327,50. Die Differenz ist neu "
                                                                 "berechnet; bitte prüfen und erneut speichern.");
    }
    void aCountIsRefusedWhereTheSheetIsNotTheFile()
    {
        QFETCH(bool, saved);
        QFETCH(QString, change);
        QFETCH(QString, message);
        MonthFileDriver d;
        Kassensturz &k = openOnMarch(d, saved);
        if (change == QStringLiteral("month")) {
            d.writeMonth(QStringLiteral("2026"), QStringLiteral("02"), QStringLiteral("Februar"));
            d.chooseMonth(QStringLiteral("2026"), QStringLiteral("02"));
            d.load();
            k.newCount();
        }
        if (change == QStringLiteral("booking")) {
            d.typeEntry(4, 3, QStringLiteral("10"), QStringLiteral("03.03.2026"), QStringLiteral("Porto"));
            d.save({MessageBox::Answer::Yes});
        }
        MessageBox::takeShown();
        const QByteArray before = d.folder.read(monthFile);
        k.pieces[2]->setText(QStringLiteral("3"));
        k.save();
        QCOMPARE(MessageBox::takeShown().value(0).text, message);
        QCOMPARE(d.folder.read(monthFile), before);
        QCOMPARE(k.pieces[2]->text(), QStringLiteral("3"));
    }

    // A stored count opens from the list and goes to a PDF file beside the month.
    void aStoredCountIsPrintedToPdf()
    {
        MonthFileDriver d;
        Kassensturz &k = openOnMarch(d);
        k.pieces[2]->setText(QStringLiteral("3"));
        k.save();
        k.newCount();
        QVERIFY(!k.pdfButton->isEnabled());
        QTest::mouseClick(k.storedCounts->viewport(), Qt::LeftButton, Qt::NoModifier,
                          k.storedCounts->visualItemRect(k.storedCounts->item(0, 0)).center());
        QCOMPARE(k.pieces[2]->text(), QStringLiteral("3"));
        const QString pdf = d.folder.file(QStringLiteral("2026/Zählprotokoll.pdf"));
        FileDialog::queueAnswer(pdf);
        QTest::mouseClick(k.pdfButton, Qt::LeftButton);
        QCOMPARE(FileDialog::takeAsked().value(0).proposed,
                 d.folder.file(QStringLiteral("2026/2026-03 Zählprotokoll Nr. 10.pdf")));
        QVERIFY(d.folder.read(QStringLiteral("2026/Zählprotokoll.pdf")).startsWith("%PDF"));
    }

    // The close question notes a month whose last booking was not counted.
    void theCloseQuestionNotesAnUncountedMonth_data()
    {
        QTest::addColumn<bool>("counted");
        QTest::newRow("counted after the last booking") << true;
        QTest::newRow("never counted") << false;
    }
    void theCloseQuestionNotesAnUncountedMonth()
    {
        QFETCH(bool, counted);
        MonthFileDriver d;
        Kassensturz &k = openOnMarch(d);
        if (counted) {
            k.pieces[2]->setText(QStringLiteral("3"));
            k.pieces[3]->setText(QStringLiteral("7"));
            k.pieces[8]->setText(QStringLiteral("2"));
            k.pieces[9]->setText(QStringLiteral("1"));
            k.save();
        }
        MessageBox::takeShown();
        d.trigger("mnuAbschliessen");
        const QString question = MessageBox::takeShown().value(0).text;
        QCOMPARE(question.endsWith(QStringLiteral("\r\n\r\nFür diesen Monat gibt es keine Kassenzählung nach der "
                                                  "letzten Buchung")),
                 !counted);
    }
};

QTEST_MAIN(TestKassensturz)
#include "TestKassensturz.moc"
