#include "EditingDriver.h"

#include <QPushButton>

class TestEditorKeys : public QObject
{
    Q_OBJECT
private slots:
    void cursorRules_data()
    {
        QTest::addColumn<QPoint>("start"); // x = column, y = row
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("emptyThirdRate");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("Up into the carry-over income lands in row 3")
            << QPoint(1, 3) << QList<int>{Qt::Key_Up} << false << QPoint(1, 3);
        QTest::newRow("Up into the carry-over date lands in row 3")
            << QPoint(7, 3) << QList<int>{Qt::Key_Up} << false << QPoint(7, 3);
        QTest::newRow("Up into the carry-over balance stays")
            << QPoint(4, 3) << QList<int>{Qt::Key_Up} << false << QPoint(4, 2);
        QTest::newRow("Left along the carry-over row stops at the expense")
            << QPoint(4, 2) << QList<int>{Qt::Key_Left} << false << QPoint(3, 2);
        QTest::newRow("Left into carry-over income lands in row 3")
            << QPoint(4, 2) << QList<int>{Qt::Key_Left, Qt::Key_Left} << false << QPoint(2, 3);
        QTest::newRow("Right into the carry-over date lands in row 3")
            << QPoint(6, 2) << QList<int>{Qt::Key_Right} << false << QPoint(7, 3);
        QTest::newRow("Right stops at the last column")
            << QPoint(8, 3) << QList<int>{Qt::Key_Right, Qt::Key_Right} << false << QPoint(9, 3);
        QTest::newRow("empty third rate: Right from 1 skips 2")
            << QPoint(1, 3) << QList<int>{Qt::Key_Right} << true << QPoint(3, 3);
        QTest::newRow("empty third rate: Left from 3 goes to 0")
            << QPoint(3, 3) << QList<int>{Qt::Key_Left} << true << QPoint(0, 3);
        QTest::newRow("Tab moves right") << QPoint(5, 3) << QList<int>{Qt::Key_Tab} << false << QPoint(6, 3);
        QTest::newRow("Enter in a middle row does not append")
            << QPoint(0, 3) << QList<int>{Qt::Key_Return} << false << QPoint(0, 4);
    }
    void cursorRules()
    {
        QFETCH(QPoint, start);
        QFETCH(QList<int>, keys);
        QFETCH(bool, emptyThirdRate);
        QFETCH(QPoint, end);
        EditingDriver d;
        d.startWithThirdRate(!emptyThirdRate);
        d.clickCell(start.y(), start.x());
        QCOMPARE(d.cell(), start);
        for (int k : keys)
            d.key(static_cast<Qt::Key>(k));
        QCOMPARE(d.cell(), end);
        QCOMPARE(d.sheet().rows(), 5);
        QVERIFY(d.form->Text1->isVisible());
    }

    void clickRedirects_data()
    {
        QTest::addColumn<QPoint>("clicked");
        QTest::addColumn<bool>("emptyThirdRate");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("carry-over income") << QPoint(0, 2) << false << QPoint(0, 3);
        QTest::newRow("carry-over balance") << QPoint(4, 2) << false << QPoint(4, 2);
        QTest::newRow("third rate column without a rate") << QPoint(2, 3) << true << QPoint(3, 3);
        QTest::newRow("a heading does not move the cursor") << QPoint(3, 0) << false << QPoint(0, 4);
    }
    void clickRedirects()
    {
        QFETCH(QPoint, clicked);
        QFETCH(bool, emptyThirdRate);
        QFETCH(QPoint, end);
        EditingDriver d;
        d.startWithThirdRate(!emptyThirdRate);
        d.clickCell(clicked.y(), clicked.x());
        QCOMPARE(d.cell(), end);
    }

    void amountThenRight_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Right") << int(Qt::Key_Right);
        QTest::newRow("Tab") << int(Qt::Key_Tab);
    }
    void amountThenRight()
    {
        QFETCH(int, key);
        EditingDriver d;
        d.start();
        d.clickCell(4, 0);
        d.type(QStringLiteral("12,5"));
        d.key(static_cast<Qt::Key>(key));
        QCOMPARE(d.text(4, 0), QStringLiteral("12,50"));
        QCOMPARE(d.cell(), QPoint(1, 4));
        QCOMPARE(d.sheet().rows(), 6); // a new-entry row below the last one
        QCOMPARE(d.text(4, 4), QStringLiteral("12,50"));
        QCOMPARE(d.totals().textMatrix(1, 2), QStringLiteral("12,50"));
        QCOMPARE(d.totals().textMatrix(5, 2), QStringLiteral("12,50"));
    }

    void deleteKey_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("leaveByKey");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("amount, then a key") << 0 << true << QStringLiteral("5,00") << QString();
        QTest::newRow("text, then a key") << 8 << true << QStringLiteral("Porto") << QStringLiteral(" ");
        QTest::newRow("amount, then a click") << 0 << false << QStringLiteral("5,00") << QStringLiteral("5,00");
        QTest::newRow("text, then a click") << 8 << false << QStringLiteral("Porto") << QStringLiteral("Porto");
    }
    void deleteKey()
    {
        QFETCH(int, col);
        QFETCH(bool, leaveByKey);
        QFETCH(QString, before);
        QFETCH(QString, after);
        EditingDriver d;
        d.start();
        d.sheet().setTextMatrix(3, col, before);
        d.clickCell(3, col);
        QCOMPARE(d.form->Text1->text(), before);
        d.key(Qt::Key_Delete);
        QCOMPARE(d.form->Text1->text(), QString());
        if (leaveByKey)
            d.key(Qt::Key_Down);
        else
            d.clickCell(4, 5);
        QCOMPARE(d.text(3, col), after);
    }

    void printableKeysThatShareCodesDoNotMove()
    {
        // '%' shares its Qt key value with Left and '.' with Delete.
        EditingDriver d;
        d.start();
        d.clickCell(3, 7);
        d.type(QStringLiteral("01.03.2026 %"));
        QCOMPARE(d.cell(), QPoint(7, 3));
        d.key(Qt::Key_Right);
        QCOMPARE(d.text(3, 7), QStringLiteral("01.03.2026 %"));
    }

    void lineEditKeysEditInsideTheText()
    {
        EditingDriver d;
        d.start();
        d.clickCell(3, 8);
        d.type(QStringLiteral("orto"));
        d.key(Qt::Key_Home);
        d.type(QStringLiteral("P"));
        d.key(Qt::Key_End);
        d.type(QStringLiteral("xx"));
        d.key(Qt::Key_Backspace);
        d.key(Qt::Key_Down);
        QCOMPARE(d.text(3, 8), QStringLiteral("Portox"));
    }

    void typingOnTheGridOpensTheEditor()
    {
        EditingDriver d;
        d.start();
        d.form->flex->setFocus();
        QVERIFY(!d.form->Text1->isVisible());
        QTest::keyClicks(d.form->flex, QStringLiteral("7"));
        QVERIFY(d.form->Text1->isVisible());
        d.key(Qt::Key_Right);
        QCOMPARE(d.text(4, 0), QStringLiteral("7,00"));
    }
};

QTEST_MAIN(TestEditorKeys)
#include "TestEditorKeys.moc"
