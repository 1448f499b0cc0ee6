#include "EditingDriver.h"

#include <QComboBox>
#include <QPushButton>

class TestSheetOperations : public QObject
{
    Q_OBJECT
private slots:

    void quickEntry_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("from the amount of the last row") << 0 << QPoint(0, 4);
        QTest::newRow("from the text column") << 8 << QPoint(0, 4);
        QTest::newRow("from the expense") << 3 << QPoint(3, 4);
    }
    void quickEntry()
    {
        QFETCH(int, col);
        QFETCH(QPoint, end);
        EditingDriver d;
        Form1 &w = d.start();
        d.clickCell(4, col);
        d.type(col == 8 ? QStringLiteral("alter Text") : QStringLiteral("5"));
        QTest::mouseClick(w.Command1[4], Qt::LeftButton);
        QCOMPARE(d.text(4, 8), QStringLiteral("Porto"));
        QCOMPARE(d.sheet().rows(), 6);
        QCOMPARE(d.cell(), end);
        if (col != 8)
            QCOMPARE(d.text(4, col), QStringLiteral("5,00"));
        d.key(Qt::Key_Down);
        QCOMPARE(d.text(4, 8), QStringLiteral("Porto"));
    }

    void quickEntryBeforeAnyEditNeverWritesAHeading()
    {
        EditingDriver d;
        Form1 &w = d.start();
        w.Command1_Click(1);
        QCOMPARE(d.text(0, 8), QStringLiteral("Text"));
        QCOMPARE(d.text(4, 8), QStringLiteral("Gutschein"));
    }

    void insertRowInAReceiptChain()
    {
        EditingDriver d;
        Form1 &w = d.start();
        FlexGridStore &g = d.sheet();
        g.setRows(7);
        g.setTextMatrix(2, 4, QStringLiteral("100,00"));
        g.setTextMatrix(2, 6, QStringLiteral("41"));
        g.setTextMatrix(3, 0, QStringLiteral("10,00"));
        g.setTextMatrix(4, 3, QStringLiteral("1,00"));
        g.setTextMatrix(5, 0, QStringLiteral("100,00"));
        d.clickCell(5, 0);
        QCOMPARE(d.text(5, 6), QStringLiteral("44"));
        MessageBox::queueAnswer(MessageBox::Answer::Ok);
        w.Command3_Click();
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QCOMPARE(g.rows(), 8);
        QCOMPARE(d.text(5, 6), QStringLiteral("44"));
        QCOMPARE(d.text(6, 6), QStringLiteral("45"));
        QCOMPARE(d.text(5, 4), d.text(4, 4));
        QCOMPARE(d.text(6, 0), QStringLiteral("100,00"));
        QCOMPARE(w.sheetEditor().undoBuffer().snapshots().size(), size_t(1));
        QCOMPARE(w.sheetEditor().undoBuffer().snapshots().back().name, QStringLiteral("Zeile einfügen"));

        // The editor's old text must not land in the inserted row.
        d.clickCell(7, 8);
        QCOMPARE(d.text(5, 0), QString());
        QCOMPARE(d.text(6, 0), QStringLiteral("100,00"));
    }

    void insertCommitsWhatWasTypedIntoItsOwnCell()
    {
        EditingDriver d;
        Form1 &w = d.start();
        d.clickCell(3, 0);
        d.type(QStringLiteral("100"));
        QTest::mouseClick(w.Command3, Qt::LeftButton); // the queue is empty: Cancel
        QCOMPARE(d.sheet().rows(), 5);
        QVERIFY(w.sheetEditor().undoBuffer().snapshots().empty());
        MessageBox::queueAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QCOMPARE(d.text(3, 0), QString());
        QCOMPARE(d.text(4, 0), QStringLiteral("100,00"));
        d.clickCell(5, 3);
        d.key(Qt::Key_Right);
        QCOMPARE(d.text(3, 0), QString());
        QCOMPARE(d.totals().textMatrix(1, 2), QStringLiteral("100,00"));
    }

    void droppingTheEditedRowDropsItsText()
    {
        EditingDriver d;
        Form1 &w = d.start();
        d.sheet().setTextMatrix(3, 0, QStringLiteral("7,00"));
        d.clickCell(4, 0);
        d.type(QStringLiteral("999"));
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QTest::mouseClick(w.Command2, Qt::LeftButton); // four rows stay
        QCOMPARE(d.sheet().rows(), 4);
        d.clickCell(3, 8);
        QCOMPARE(d.text(3, 0), QStringLiteral("7,00"));
    }

    void startUpLeavesNothingPending()
    {
        // The grid has the focus after start-up; a first click must not
        // commit anything into row 4.
        EditingDriver d;
        Form1 &w = d.start();
        d.sheet().setTextMatrix(4, 0, QStringLiteral("50,00"));
        w.Form_Load();
        d.clickCell(3, 8);
        QCOMPARE(d.text(4, 0), QStringLiteral("50,00"));
    }

    void undoSnapshots()
    {
        FlexGridStore g(5, 10, 2, 0);
        UndoBuffer u;
        u.take(g, QString());
        u.take(g, QStringLiteral("anders"));
        QCOMPARE(u.snapshots().size(), size_t(1));
        QCOMPARE(u.snapshots()[0].name, QStringLiteral("Letzte Akton"));
        g.setTextMatrix(3, 8, QStringLiteral("x"));
        u.take(g, QStringLiteral("Zeile einfügen"));
        QCOMPARE(u.snapshots().size(), size_t(2));
    }

    void renaming_data()
    {
        QTest::addColumn<int>("picked"); // -1: nothing picked
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("renamedIndex");
        QTest::addColumn<QString>("question");
        QTest::newRow("Porto renamed, Yes")
            << 4 << QStringLiteral("Briefmarken") << int(MessageBox::Answer::Yes) << 4
            << QStringLiteral("Sie möchten die Taste mit der Bezeichnung 'Porto' umbenenen in 'Briefmarken");
        QTest::newRow("Porto renamed, No")
            << 4 << QStringLiteral("Briefmarken") << int(MessageBox::Answer::No) << -1
            << QStringLiteral("Sie möchten die Taste mit der Bezeichnung 'Porto' umbenenen in 'Briefmarken");
        QTest::newRow("nothing picked") << -1 << QStringLiteral("Kasse") << int(MessageBox::Answer::Yes) << 0
                                        << QStringLiteral(
                                               "Sie möchten die Taste mit der Bezeichnung '' umbenenen in 'Kasse");
    }
    void renaming()
    {
        QFETCH(int, picked);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(int, renamedIndex);
        QFETCH(QString, question);
        EditingDriver d;
        Form1 &w = d.start();
        const QByteArray before = d.folder.read(QStringLiteral("Tasten.txt"));
        if (picked >= 0) {
            w.Combo33->setCurrentIndex(picked);
            w.Combo33_Click();
        }
        w.Combo33->setEditText(typed);
        MessageBox::queueAnswer(static_cast<MessageBox::Answer>(answer));
        w.Command10_Click();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, question);
        QCOMPARE(shown[0].title, QStringLiteral("Schnelltsten umbenennen"));
        QList<QByteArray> lines = before.split('\n');
        if (renamedIndex >= 0) {
            QCOMPARE(w.Command1[static_cast<size_t>(renamedIndex)]->text(), typed);
            lines[renamedIndex] = typed.toLatin1() + '\r';
        }
        QCOMPARE(d.folder.read(QStringLiteral("Tasten.txt")), lines.join('\n'));
        QCOMPARE(d.folder.read(QStringLiteral("Tasten.txt")).count("\r\n"), 12);
    }
};

QTEST_MAIN(TestSheetOperations)
#include "TestSheetOperations.moc"
