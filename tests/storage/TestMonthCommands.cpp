// The audit commands as the main window wires them: the questions they ask,
// what they show, and where their work lands. The rules behind them are
// tested in the core tests.
#include "MonthFileDriver.h"
#include "dialogs/ui/Aenderungsprotokoll.h"
#include "storage/RecoveryFile.h"
#include "storage/ui/CrashRecovery.h"

#include <QAction>
#include <QTableWidget>

using namespace Fixtures;

namespace {
const QString marchFile = QStringLiteral("2026/2026-03.mdb");
const QString recoveryFile = QStringLiteral("Barlog-Wiederherstellung.txt");

void trigger(MonthFileDriver &d, const char *action)
{
    d.form->findChild<QAction *>(QLatin1StringView(action))->trigger();
}

QStringList tableRow(const QTableWidget *table, int row)
{
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts << table->item(row, c)->text();
    return texts;
}

// Types over the amount in the cell with a new one and leaves the cell.
void retype(MonthFileDriver &d, int row, int col, const QString &amount)
{
    d.clickCell(row, col);
    d.key(Qt::Key_Delete);
    d.type(amount);
    d.key(Qt::Key_Right);
}
} // namespace

class TestMonthCommands : public QObject
{
    Q_OBJECT
private slots:
    void theLogWindowShowsTheNewestChangeFirst()
    {
        MonthFileDriver d;
        d.start();
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("Tageseinnahme"));
        d.save();
        retype(d, 3, 0, QStringLiteral("260"));
        d.save({MessageBox::Answer::Yes});
        trigger(d, "mnuProtokoll");
        // The second save's entries come first: the amount typed over and
        // the balances that followed it.
        const QTableWidget *table = d.form->aenderungsprotokoll()->Table1;
        QList<QStringList> rows;
        for (int r = 0; r < table->rowCount(); ++r)
            rows << tableRow(table, r).mid(2);
        const QStringList changed{QStringLiteral("3"), QStringLiteral("Einnahmen1"), QStringLiteral("250,00"),
                                  QStringLiteral("260,00")};
        const qsizetype at = rows.indexOf(changed);
        QVERIFY2(at >= 0 && at < 3, qPrintable(QString::number(at)));
        QVERIFY(table->item(0, 0)->text().toInt() > table->item(at + 1, 0)->text().toInt());
        QCOMPARE(table->item(table->rowCount() - 1, 0)->text(), QStringLiteral("1"));
    }

    void negativeCashIsAskedAboutOnce_data()
    {
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::newRow("Ja saves") << MessageBox::Answer::Yes;
        QTest::newRow("Nein saves nothing") << MessageBox::Answer::No;
    }
    void negativeCashIsAskedAboutOnce()
    {
        QFETCH(MessageBox::Answer, answer);
        MonthFileDriver d;
        d.start();
        d.typeEntry(3, 3, QStringLiteral("20"), QStringLiteral("02.03.2026"), QStringLiteral("Porto"));
        d.typeEntry(4, 3, QStringLiteral("5"), QStringLiteral("03.03.2026"), QStringLiteral("Porto"));
        MessageBox::takeShown();
        d.save({answer});
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("Nach Beleg-Nr (ohne Nummer) vom 02.03.2026 ist der "
                                                         "Kassenbestand negativ: -20,00.")),
                 qPrintable(shown[0].text));
        QCOMPARE(QFile::exists(d.folder.file(marchFile)), answer == MessageBox::Answer::Yes);
    }

    // Closing waits for a save, then asks once; from then on the label says
    // so and Speichern is refused.
    void aClosedMonthRefusesSpeichern()
    {
        MonthFileDriver d;
        d.start();
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("Tageseinnahme"));
        trigger(d, "mnuAbschliessen");
        QCOMPARE(MessageBox::takeShown().value(0).text,
                 QStringLiteral("Der Monat 2026-03 hat Änderungen, die nicht gespeichert sind. Bitte zuerst speichern, "
                                "dann abschließen."));
        d.save();
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        trigger(d, "mnuAbschliessen");
        const QList<MessageBox::Shown> asked = MessageBox::takeShown();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].title, QStringLiteral("Monat abschließen"));
        QCOMPARE(d.text(1, 6), QStringLiteral("2026-03"));
        QCOMPARE(d.text(1, 8), QStringLiteral("abgeschlossen am 15.03.2026"));

        const QByteArray closed = d.folder.read(marchFile);
        retype(d, 3, 0, QStringLiteral("260"));
        d.save({MessageBox::Answer::Yes});
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("Der Monat 2026-03 ist seit dem 15.03.2026")));
        QCOMPARE(d.folder.read(marchFile), closed);
    }

    // A row of a closed February is reversed into the running March, which
    // starts from February's closing balance; the reversal brings it to zero.
    void stornoLandsInTheRunningMonth()
    {
        MonthFileDriver d;
        d.start();
        d.chooseMonth(QStringLiteral("2026"), QStringLiteral("02"));
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("27.02.2026"), QStringLiteral("Tageseinnahme"));
        d.save();
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        trigger(d, "mnuAbschliessen");
        d.clickCell(3, 8);
        MessageBox::takeShown();
        trigger(d, "mnuStorno");
        QCOMPARE(MessageBox::takeShown().size(), 0);
        QCOMPARE(d.form->Combo1->currentText(), QStringLiteral("03"));
        QCOMPARE(d.text(1, 6), QStringLiteral("2026-03"));
        QCOMPARE(d.text(2, 8), QStringLiteral("Übertrag aus 2026-02"));
        QCOMPARE(d.text(3, 0), QStringLiteral("-250,00"));
        QCOMPARE(d.text(3, 7), QStringLiteral("15.03.2026"));
        QCOMPARE(d.text(3, 8), QStringLiteral("Storno Beleg ohne Nr. vom 27.02.2026"));
        QCOMPARE(d.text(3, 4), QStringLiteral("0,00"));
    }

    // While the sheet differs from the file, the recovery file follows it;
    // a save and an answered exit remove it.
    void theRecoveryFileFollowsTheSheet()
    {
        MonthFileDriver d;
        d.start();
        const QString path = d.folder.file(recoveryFile);
        d.clickCell(3, 8);
        d.type(QStringLiteral("Kaffee"));
        QTRY_VERIFY(QFile::exists(path));
        d.form->crashRecovery().settle();
        const auto written = RecoveryFile::decode(d.folder.read(recoveryFile));
        QVERIFY(written);
        QCOMPARE(written->rows.at(2).at(8), QStringLiteral("Kaffee"));
        d.save();
        d.form->crashRecovery().settle();
        QVERIFY(!QFile::exists(path));
        d.type(QStringLiteral("X"));
        QTRY_VERIFY(QFile::exists(path));
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        d.form->Command5_Click();
        QVERIFY(!QFile::exists(path));
    }

    void aRecoveryFileIsOfferedAtStart_data()
    {
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::newRow("Ja restores what was typed") << MessageBox::Answer::Yes;
        QTest::newRow("Nein starts empty and drops the file") << MessageBox::Answer::No;
    }
    void aRecoveryFileIsOfferedAtStart()
    {
        QFETCH(MessageBox::Answer, answer);
        MonthFileDriver d;
        FlexGridStore typed = startupSheet();
        typed.setTextMatrix(3, 0, QStringLiteral("12,50"));
        typed.setTextMatrix(3, 8, QStringLiteral("Bürobedarf"));
        d.folder.write(recoveryFile, RecoveryFile::encode({QStringLiteral("2026"), QStringLiteral("02"),
                                                           QStringLiteral("2026-02-27T17:45:00.000+01:00"),
                                                           RecoveryFile::sheetRows(typed)}));
        MessageBox::queueAnswer(answer);
        d.start();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Wiederherstellen"));
        const bool restored = answer == MessageBox::Answer::Yes;
        QCOMPARE(d.text(3, 8), restored ? QStringLiteral("Bürobedarf") : QString());
        QCOMPARE(d.form->Combo1->currentText(), restored ? QStringLiteral("02") : QStringLiteral("03"));
        QCOMPARE(QFile::exists(d.folder.file(recoveryFile)), restored);
    }
};

QTEST_MAIN(TestMonthCommands)
#include "TestMonthCommands.moc"
