// The audit commands as the main window wires them: the questions they ask,
// what they show, and where their work lands. The rules behind them are
// tested in the core tests.
#include "MonthFileDriver.h"
#include "books/RecoveryFile.h"
#include "books/ui/CrashRecovery.h"

using namespace Fixtures;

namespace {
const QString recoveryFile = QStringLiteral("Barlog-Wiederherstellung.txt");

} // namespace

class TestMonthCommands : public QObject
{
    Q_OBJECT
private slots:
    // "Nein" saves nothing; "Ja" saves the month as it is.
    void negativeCashIsAskedBeforeSpeichern()
    {
        MonthFileDriver d;
        d.start();
        d.typeEntry(3, 3, QStringLiteral("20"), QStringLiteral("02.03.2026"), QStringLiteral("Porto"));
        MessageBox::takeShown();
        for (const MessageBox::Answer answer : {MessageBox::Answer::No, MessageBox::Answer::Yes}) {
            d.save({answer});
            const QList<MessageBox::Shown> shown = MessageBox::takeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].returnAnswer, MessageBox::Answer::No);
            QVERIFY2(shown[0].text.startsWith(QStringLiteral("Nach Beleg-Nr (ohne Nummer) vom 02.03.2026 ist der "
                                                             "Kassenbestand negativ: -20,00.")),
                     qPrintable(shown[0].text));
            QCOMPARE(QFile::exists(d.folder.file(QStringLiteral("2026/2026-03.mdb"))),
                     answer == MessageBox::Answer::Yes);
        }
    }

    // Closing waits for a save, then asks once; the closed month shows its
    // note and refuses Speichern. Its row is reversed into the running March,
    // which starts from February's closing balance and ends at zero.
    void aClosedMonthIsCorrectedByStorno()
    {
        MonthFileDriver d;
        d.start();
        d.chooseMonth(QStringLiteral("2026"), QStringLiteral("02"));
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("27.02.2026"), QStringLiteral("Tageseinnahme"));
        d.trigger("mnuAbschliessen");
        QCOMPARE(MessageBox::takeShown().value(0).text,
                 QStringLiteral("Der Monat 2026-02 hat Änderungen, die nicht gespeichert sind. Bitte zuerst speichern, "
                                "dann abschließen."));
        d.save();
        d.trigger("mnuAbschliessen"); // Return, as the empty queue answers, declines
        QCOMPARE(MessageBox::takeShown().value(0).returnAnswer, MessageBox::Answer::No);
        QCOMPARE(d.text(1, 8), QString());
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        d.trigger("mnuAbschliessen");
        const QList<MessageBox::Shown> asked = MessageBox::takeShown();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].title, QStringLiteral("Monat abschließen"));
        QCOMPARE(d.text(1, 8), QStringLiteral("abgeschlossen am 15.03.2026"));
        const QByteArray closed = d.folder.read(QStringLiteral("2026/2026-02.mdb"));
        d.save();
        QVERIFY(MessageBox::takeShown().value(0).text.startsWith(
            QStringLiteral("Der Monat 2026-02 ist seit dem 15.03.2026")));
        QCOMPARE(d.folder.read(QStringLiteral("2026/2026-02.mdb")), closed);

        d.clickCell(3, 8);
        MessageBox::takeShown();
        d.trigger("mnuStorno"); // Return declines
        QCOMPARE(d.form->Combo1->currentText(), QStringLiteral("02"));
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        d.trigger("mnuStorno");
        const QList<MessageBox::Shown> storno = MessageBox::takeShown();
        QCOMPARE(storno.size(), 2);
        for (const MessageBox::Shown &question : storno) {
            QCOMPARE(question.title, QStringLiteral("Storno"));
            QCOMPARE(question.returnAnswer, MessageBox::Answer::No);
        }
        // The reversal row itself is TestBookingRules'; here it lands in March, recalculated.
        QCOMPARE(d.form->Combo1->currentText(), QStringLiteral("03"));
        QCOMPARE((QStringList{d.text(3, 0), d.text(3, 4)}),
                 (QStringList{QStringLiteral("-250,00"), QStringLiteral("0,00")}));
    }

    // A reversal that would load the running month over unsaved work asks
    // first, and Return keeps the work.
    void stornoOverUnsavedWorkDeclinesOnReturn()
    {
        MonthFileDriver d;
        d.start();
        d.chooseMonth(QStringLiteral("2026"), QStringLiteral("02"));
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("27.02.2026"), QStringLiteral("Tageseinnahme"));
        d.save();
        d.typeEntry(4, 0, QStringLiteral("12"), QStringLiteral("28.02.2026"), QStringLiteral("ungespeichert"));
        d.clickCell(3, 8);
        MessageBox::takeShown();
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        d.trigger("mnuStorno");
        const QList<MessageBox::Shown> asked = MessageBox::takeShown();
        QCOMPARE(asked.size(), 2);
        QVERIFY(asked[1].text.endsWith(QStringLiteral("Trotzdem fortfahren ?")));
        QCOMPARE(asked[1].returnAnswer, MessageBox::Answer::No);
        QCOMPARE(d.form->Combo1->currentText(), QStringLiteral("02"));
        QCOMPARE(d.text(4, 8), QStringLiteral("ungespeichert"));
    }

    // A recovery file is offered back only when the last run left one: what
    // the start itself does, such as a message that lets the timer run, is no
    // unsaved work.
    void nothingIsOfferedBackThatWasNotTyped()
    {
        MonthFileDriver f;
        Form1 w(f.folder.path());
        w.crashRecovery().sheetChanged();
        w.crashRecovery().keepUp(); // the timer, firing while a start-up message is open
        w.crashRecovery().settle();
        QVERIFY(!QFile::exists(f.folder.file(recoveryFile)));
        w.Form_Load();
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // A recovery file found at start and declined is dropped. While the sheet
    // then differs from the file, the recovery file follows it; a save and
    // an answered exit remove it. (The kill test restores one.)
    void theRecoveryFileFollowsTheSheet()
    {
        MonthFileDriver d;
        FlexGridStore typed = startupSheet();
        typed.setTextMatrix(3, 8, QStringLiteral("Bürobedarf"));
        d.folder.write(recoveryFile, RecoveryFile::encode({QStringLiteral("2026"), QStringLiteral("02"),
                                                           QStringLiteral("2026-02-27T17:45:00.000+01:00"),
                                                           RecoveryFile::sheetRows(typed)}));
        MessageBox::queueAnswer(MessageBox::Answer::No);
        d.start();
        QCOMPARE(MessageBox::takeShown().value(0).title, QStringLiteral("Wiederherstellen"));
        QCOMPARE(d.text(3, 8), QString());
        const QString path = d.folder.file(recoveryFile);
        QVERIFY(!QFile::exists(path));

        d.clickCell(3, 8);
        d.type(QStringLiteral("Kaffee"));
        QTRY_VERIFY(QFile::exists(path));
        d.save();
        d.form->crashRecovery().settle();
        QVERIFY(!QFile::exists(path));
        d.type(QStringLiteral("X"));
        QTRY_VERIFY(QFile::exists(path));
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        d.form->Command5_Click();
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestMonthCommands)
#include "TestMonthCommands.moc"
