// The editor box on the started main window: the key map, and typed text
// that lands in its own cell only, whatever the row operations do.
#include "EditingDriver.h"

#include <QComboBox>
#include <QPushButton>

class TestSheetEditor : public QObject
{
    Q_OBJECT
private slots:
    // The editor box's keys and the grid's clicks reach the key map, and a
    // typed income is committed before the key map looks at the row.
    void keyMap_data()
    {
        QTest::addColumn<QPoint>("start"); // x = column, y = row
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key"); // 0: none
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<int>("rows");
        QTest::newRow("typed income, Right in the last row")
            << QPoint(0, 4) << "5" << int(Qt::Key_Right) << QPoint(1, 4) << 6;
        QTest::newRow("Tab moves right") << QPoint(5, 3) << "" << int(Qt::Key_Tab) << QPoint(6, 3) << 5;
        QTest::newRow("Return moves down") << QPoint(0, 3) << "" << int(Qt::Key_Return) << QPoint(0, 4) << 5;
        QTest::newRow("'%' and '.' share codes with Left and Delete")
            << QPoint(7, 3) << "01.03.2026 %" << 0 << QPoint(7, 3) << 5;
        QTest::newRow("click on the carry-over income") << QPoint(0, 2) << "" << 0 << QPoint(0, 3) << 5;
        QTest::newRow("click on a heading") << QPoint(3, 0) << "" << 0 << QPoint(0, 3) << 5;
    }
    void keyMap()
    {
        QFETCH(QPoint, start);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QPoint, end);
        QFETCH(int, rows);
        EditingDriver d;
        d.start();
        d.clickCell(start.y(), start.x());
        d.type(typed);
        if (key != 0)
            d.key(static_cast<Qt::Key>(key));
        QCOMPARE(d.cell(), end);
        QCOMPARE(d.sheet().rows(), rows);
        QVERIFY(d.form->Text1->isVisible());
        if (key == 0)
            QCOMPARE(d.form->Text1->text(), typed);
    }

    void deleteKey_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("leaveByKey");
        QTest::addColumn<QString>("after");
        QTest::newRow("text, then a key") << 8 << true << QStringLiteral(" ");
        QTest::newRow("amount, then a click") << 0 << false << QStringLiteral("5,00");
        QTest::newRow("text, then a click") << 8 << false << QStringLiteral("5,00");
    }
    void deleteKey()
    {
        QFETCH(int, col);
        QFETCH(bool, leaveByKey);
        QFETCH(QString, after);
        EditingDriver d;
        d.start();
        d.sheet().setTextMatrix(3, col, QStringLiteral("5,00"));
        d.clickCell(3, col);
        QCOMPARE(d.form->Text1->text(), QStringLiteral("5,00"));
        d.key(Qt::Key_Delete);
        QCOMPARE(d.form->Text1->text(), QString());
        if (leaveByKey)
            d.key(Qt::Key_Down);
        else
            d.clickCell(4, 5);
        QCOMPARE(d.text(3, col), after);
    }

    void lineEditKeysAndTypingOnTheGrid()
    {
        EditingDriver d;
        d.start();
        d.form->flex->setFocus();
        QVERIFY(!d.form->Text1->isVisible());
        QTest::keyClicks(d.form->flex, QStringLiteral("7"));
        QVERIFY(d.form->Text1->isVisible());
        d.key(Qt::Key_Right);
        QCOMPARE(d.text(3, 0), QStringLiteral("7,00"));
        d.clickCell(3, 8);
        d.type(QStringLiteral("orto"));
        d.key(Qt::Key_Home);
        d.type(QStringLiteral("P"));
        d.key(Qt::Key_End);
        d.type(QStringLiteral("xx"));
        d.key(Qt::Key_Backspace);
        d.key(Qt::Key_Down);
        QCOMPARE(d.text(3, 8), QStringLiteral("Portox"));
        // The editor takes no more than the column's field stores.
        d.type(QString(41, QLatin1Char('x')));
        QCOMPARE(d.form->Text1->text(), QString(40, QLatin1Char('x')));
    }

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
        // Before any edit the cursor is on no entry row: no heading is overwritten.
        d.start().Command1_Click(1);
        QCOMPARE(d.text(0, 8), QStringLiteral("Text"));
        QCOMPARE(d.text(3, 8), QStringLiteral("Gutschein"));
    }

    void insertRowKeepsTheTypedTextInItsCell()
    {
        EditingDriver d;
        Form1 &w = d.start();
        FlexGridStore &g = d.sheet();
        g.setTextMatrix(2, 4, QStringLiteral("100,00"));
        d.clickCell(3, 0);
        d.type(QStringLiteral("100"));
        QTest::mouseClick(w.Command3, Qt::LeftButton); // the queue is empty: Cancel
        QCOMPARE(g.rows(), 5);
        QVERIFY(w.sheetEditor().undoBuffer().snapshots().empty());
        MessageBox::queueAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QCOMPARE(MessageBox::takeShown().size(), 2);
        QCOMPARE(g.rows(), 6);
        QCOMPARE(d.text(3, 0), QString());
        QCOMPARE(d.text(4, 0), QStringLiteral("100,00"));
        QCOMPARE(w.sheetEditor().undoBuffer().snapshots().back().name, QStringLiteral("Zeile einfügen"));
        d.clickCell(5, 3);
        d.key(Qt::Key_Right);
        QCOMPARE(d.text(3, 0), QString());
    }

    // Whatever would leave a cell whose typed text is refused shows the
    // message once and keeps the cursor in the last row, the editor and its
    // text; nothing reaches the sheet, and Enter appends no row. Dates of the
    // selectors' month are taken.
    void aRefusedTextKeepsTheCursor_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("action"); // a key, a click on another cell, a quick-entry button, Speichern
        const auto row = [](const char *name, int col, const char *typed, const char *action) {
            QTest::newRow(name) << col << QString::fromUtf8(typed) << QString::fromUtf8(action);
        };
        row("Enter", 0, "12a", "Enter");
        row("Tab", 7, "31.02.", "Tab");
        row("a click on another cell", 7, "heute", "click");
        row("a quick-entry button", 0, "1.2.3", "quick");
        row("Speichern", 3, "12,345", "save");
        row("a date of the selectors' month", 7, "5", "Enter");
    }
    void aRefusedTextKeepsTheCursor()
    {
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QString, action);
        EditingDriver d;
        Form1 &w = d.start();
        d.clickCell(4, col);
        d.type(typed);
        MessageBox::takeShown();
        if (action == QStringLiteral("click"))
            d.clickCell(3, 8);
        else if (action == QStringLiteral("quick"))
            QTest::mouseClick(w.Command1[4], Qt::LeftButton);
        else if (action == QStringLiteral("save"))
            QTest::mouseClick(w.Command7, Qt::LeftButton);
        else
            d.key(action == QStringLiteral("Tab") ? Qt::Key_Tab : Qt::Key_Return);
        const bool taken = typed == QStringLiteral("5");
        QCOMPARE(MessageBox::takeShown().size(), taken ? 0 : 1);
        QCOMPARE(d.text(4, col), taken ? QStringLiteral("05.03.2026") : QString());
        if (taken)
            return;
        QCOMPARE(d.cell(), QPoint(col, 4));
        QVERIFY(d.form->Text1->isVisible() && d.form->Text1->hasFocus());
        QCOMPARE(d.form->Text1->text(), typed);
        QCOMPARE(d.text(4, 8), QString()); // no quick-entry caption
        QCOMPARE(d.sheet().rows(), 5);
        QVERIFY(!QFile::exists(d.folder.file(QStringLiteral("2026/2026-03.mdb"))));
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

    void renaming_data()
    {
        QTest::addColumn<int>("picked"); // -1: nothing picked
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("renamedIndex");
        QTest::addColumn<QString>("old");
        QTest::newRow("Porto renamed, Yes") << 4 << int(MessageBox::Answer::Yes) << 4 << "Porto";
        QTest::newRow("Porto renamed, No") << 4 << int(MessageBox::Answer::No) << -1 << "Porto";
        QTest::newRow("nothing picked") << -1 << int(MessageBox::Answer::Yes) << 0 << "";
    }
    void renaming()
    {
        QFETCH(int, picked);
        QFETCH(int, answer);
        QFETCH(int, renamedIndex);
        QFETCH(QString, old);
        EditingDriver d;
        Form1 &w = d.start();
        const QByteArray before = d.folder.read(QStringLiteral("Tasten.txt"));
        if (picked >= 0) {
            w.Combo33->setCurrentIndex(picked);
            w.Combo33_Click();
        }
        w.Combo33->setEditText(QStringLiteral("Kasse"));
        MessageBox::queueAnswer(static_cast<MessageBox::Answer>(answer));
        w.Command10_Click();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 QStringLiteral("Sie möchten die Taste mit der Bezeichnung '%1' umbenenen in 'Kasse").arg(old));
        QCOMPARE(shown[0].title, QStringLiteral("Schnelltsten umbenennen"));
        QList<QByteArray> lines = before.split('\n');
        if (renamedIndex >= 0) {
            QCOMPARE(w.Command1[static_cast<size_t>(renamedIndex)]->text(), QStringLiteral("Kasse"));
            lines[renamedIndex] = "Kasse\r";
        }
        QCOMPARE(d.folder.read(QStringLiteral("Tasten.txt")), lines.join('\n'));
    }
};

QTEST_MAIN(TestSheetEditor)
#include "TestSheetEditor.moc"
