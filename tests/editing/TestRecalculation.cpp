#include "editing/Modul.h"

#include "JournalSheet.h"

#include <QtTest>

namespace {
// The amount cells of one row: income 19 %, 7 %, 0 %, expense.
struct Amounts
{
    QString a0, a1, a2, expense;
};
} // namespace
Q_DECLARE_METATYPE(Amounts)

namespace {

void recalculate(FlexGridStore &sheet, FlexGridStore &totals)
{
    modul::BestandBerechnen(sheet);
    modul::SummenBerechnen(sheet, totals);
}

QStringList allTexts(const FlexGridStore &grid)
{
    QStringList texts;
    for (int c = 0; c < grid.cols(); ++c)
        texts += column(grid, c);
    return texts;
}
} // namespace

class TestRecalculation : public QObject
{
    Q_OBJECT
private slots:
    void tooFewRowsChangeNothing_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("headings and carry-over") << 3;
        QTest::newRow("one row below the carry-over") << 4;
    }
    void tooFewRowsChangeNothing()
    {
        QFETCH(int, rows);
        FlexGridStore sheet = journalSheet(rows);
        fillRow(sheet, 2,
                {QStringLiteral("1,00"), QString(), QString(), QString(), QStringLiteral("10,00"), QString(),
                 QStringLiteral("41")});
        fillRow(sheet, rows - 1,
                {QString(), QStringLiteral("5,00"), QString(), QStringLiteral("2,00"), QStringLiteral("alt"), QString(),
                 QStringLiteral("x")});
        FlexGridStore totals = totalsGrid();
        totals.setTextMatrix(5, 2, QStringLiteral("alt"));
        const QStringList before = allTexts(sheet);
        modul::BestandBerechnen(sheet);
        modul::SummenBerechnen(sheet, totals);
        QCOMPARE(allTexts(sheet), before);
        QCOMPARE(totals.textMatrix(5, 2), QStringLiteral("alt"));
    }

    void carryOverIncomeAndExpense()
    {
        FlexGridStore sheet = journalSheet(6);
        fillRow(sheet, 2, {QString(), QString(), QString(), QString(), QStringLiteral("1.000,00")});
        fillRow(sheet, 3, {QStringLiteral("100,00")});
        fillRow(sheet, 4, {QString(), QString(), QString(), QStringLiteral("50,00")});
        FlexGridStore totals = totalsGrid();
        recalculate(sheet, totals);
        QCOMPARE(column(sheet, modul::ColBestand).mid(2),
                 (QStringList{QStringLiteral("1.000,00"), QStringLiteral("1.100,00"), QStringLiteral("1.050,00"),
                              QString()}));
        QCOMPARE(column(totals, 2),
                 (QStringList{QString(), QStringLiteral("100,00"), QStringLiteral("0,00"), QStringLiteral("0,00"),
                              QStringLiteral("50,00"), QStringLiteral("1.050,00")}));
    }

    void expenseRule_data()
    {
        QTest::addColumn<Amounts>("row");
        QTest::addColumn<QString>("expense");
        QTest::addColumn<QString>("balance");
        const QString e = QStringLiteral("5,00");
        QTest::newRow("income at 7 % empties the expense")
            << Amounts{{}, QStringLiteral("10,00"), {}, e} << QString() << QStringLiteral("110,00");
        QTest::newRow("negative income at 7 % empties it too")
            << Amounts{{}, QStringLiteral("-10,00"), {}, e} << QString() << QStringLiteral("90,00");
        QTest::newRow("positive income at 0 % empties the expense")
            << Amounts{{}, {}, QStringLiteral("0,01"), e} << QString() << QStringLiteral("100,01");
        QTest::newRow("negative income at 0 % keeps the expense")
            << Amounts{{}, {}, QStringLiteral("-10,00"), e} << e << QStringLiteral("85,00");
        QTest::newRow("income at 19 % keeps the expense")
            << Amounts{QStringLiteral("100,00"), {}, {}, e} << e << QStringLiteral("195,00");
        QTest::newRow("zero at 7 % keeps the expense")
            << Amounts{{}, QStringLiteral("0,00"), {}, e} << e << QStringLiteral("95,00");
        QTest::newRow("expense alone") << Amounts{{}, {}, {}, e} << e << QStringLiteral("95,00");
        QTest::newRow("all three incomes")
            << Amounts{QStringLiteral("1,00"), QStringLiteral("2,00"), QStringLiteral("3,00"), e} << QString()
            << QStringLiteral("106,00");
    }
    void expenseRule()
    {
        QFETCH(Amounts, row);
        QFETCH(QString, expense);
        QFETCH(QString, balance);
        FlexGridStore sheet = journalSheet(5);
        fillRow(sheet, 2, {QString(), QString(), QString(), QString(), QStringLiteral("100,00")});
        fillRow(sheet, 3, {row.a0, row.a1, row.a2, row.expense});
        FlexGridStore totals = totalsGrid();
        recalculate(sheet, totals);
        QCOMPARE(sheet.textMatrix(3, modul::ColAusgaben), expense);
        QCOMPARE(sheet.textMatrix(3, modul::ColBestand), balance);
        // The totals see the expense as the walk left it.
        QCOMPARE(totals.textMatrix(4, 2), expense.isEmpty() ? QStringLiteral("0,00") : expense);
    }

    void receiptChain_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        const QString big = QStringLiteral("1") + QString(400, u'0');
        QTest::newRow("chain from 41 overwrites, new-entry row keeps")
            << QStringList{QStringLiteral("41"), QStringLiteral("7"), QString(), QStringLiteral("x"),
                           QStringLiteral("99")}
            << QStringList{QStringLiteral("41"), QStringLiteral("42"), QStringLiteral("43"), QStringLiteral("44"),
                           QStringLiteral("99")};
        QTest::newRow("empty carry-over starts no chain")
            << QStringList{QString(),           QString(),           QStringLiteral("10"),
                           QStringLiteral("3"), QStringLiteral("3"), QString()}
            << QStringList{QString(), QString(), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"),
                           QString()};
        QTest::newRow("single blank breaks the chain")
            << QStringList{QStringLiteral(" "), QStringLiteral("5"), QStringLiteral("1"), QString()}
            << QStringList{QStringLiteral(" "), QStringLiteral("5"), QStringLiteral("6"), QString()};
        QTest::newRow("two blanks are no number: next row kept")
            << QStringList{QStringLiteral("  "), QStringLiteral("5"), QStringLiteral("1"), QString()}
            << QStringList{QStringLiteral("  "), QStringLiteral("5"), QStringLiteral("6"), QString()};
        QTest::newRow("letters are no number: next row kept")
            << QStringList{QStringLiteral("A17"), QStringLiteral("9"), QStringLiteral("1"), QString()}
            << QStringList{QStringLiteral("A17"), QStringLiteral("9"), QStringLiteral("10"), QString()};
        QTest::newRow("letters inside the chain")
            << QStringList{QString(), QStringLiteral("A17"), QStringLiteral("5"), QStringLiteral("1"), QString()}
            << QStringList{QString(), QStringLiteral("A17"), QStringLiteral("5"), QStringLiteral("6"), QString()};
        QTest::newRow("a number too large for a double")
            << QStringList{big, QStringLiteral("9"), QStringLiteral("1"), QString()}
            << QStringList{big, QStringLiteral("9"), QStringLiteral("10"), QString()};
        QTest::newRow("fraction: whole part of the next")
            << QStringList{QStringLiteral("41,5"), QString(), QString()}
            << QStringList{QStringLiteral("41,5"), QStringLiteral("42"), QString()};
        QTest::newRow("grouped thousand") << QStringList{QStringLiteral("1.000"), QString(), QString()}
                                          << QStringList{QStringLiteral("1.000"), QStringLiteral("1001"), QString()};
        QTest::newRow("through zero") << QStringList{QStringLiteral("-2"), QString(), QString(), QString(), QString()}
                                      << QStringList{QStringLiteral("-2"), QStringLiteral("-1"), QStringLiteral("0"),
                                                     QStringLiteral("1"), QString()};
        QTest::newRow("negative fraction gives 0, not -0")
            << QStringList{QStringLiteral("-1,5"), QString(), QString()}
            << QStringList{QStringLiteral("-1,5"), QStringLiteral("0"), QString()};
        QTest::newRow("blanks around") << QStringList{QStringLiteral(" 41 "), QString(), QString()}
                                       << QStringList{QStringLiteral(" 41 "), QStringLiteral("42"), QString()};
    }
    void receiptChain()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        FlexGridStore sheet = journalSheet(static_cast<int>(before.size()) + 2);
        for (int i = 0; i < before.size(); ++i)
            sheet.setTextMatrix(i + 2, modul::ColBeleg, before[i]);
        FlexGridStore totals = totalsGrid();
        modul::BestandBerechnen(sheet);
        modul::SummenBerechnen(sheet, totals);
        QCOMPARE(column(sheet, modul::ColBeleg).mid(2), after);
    }

    void balances_data()
    {
        QTest::addColumn<QString>("carryOver");
        QTest::addColumn<QList<Amounts>>("rows");
        QTest::addColumn<QStringList>("balances");
        QTest::newRow("negative balance is carried on")
            << QStringLiteral("10,00")
            << QList<Amounts>{{{}, {}, {}, QStringLiteral("22,30")}, {QStringLiteral("2,30"), {}, {}, {}}}
            << QStringList{QStringLiteral("-12,30"), QStringLiteral("-10,00")};
        QTest::newRow("negative carry-over")
            << QStringLiteral("-0,50") << QList<Amounts>{{QStringLiteral("0,20"), {}, {}, {}}}
            << QStringList{QStringLiteral("-0,30")};
        QTest::newRow("empty carry-over starts at zero")
            << QString() << QList<Amounts>{{QStringLiteral("1,00"), {}, {}, {}}} << QStringList{QStringLiteral("1,00")};
        QTest::newRow("passing a million")
            << QStringLiteral("999.999,99")
            << QList<Amounts>{{QStringLiteral("0,01"), {}, {}, {}},
                              {QStringLiteral("1.234.567,89"), {}, {}, {}},
                              {{}, {}, {}, QStringLiteral("3.000.000,00")}}
            << QStringList{QStringLiteral("1.000.000,00"), QStringLiteral("2.234.567,89"),
                           QStringLiteral("-765.432,11")};
        QTest::newRow("carry-over of millions")
            << QStringLiteral("-1.234.567,89") << QList<Amounts>{{{}, {}, {}, QStringLiteral("0,11")}}
            << QStringList{QStringLiteral("-1.234.568,00")};
        QTest::newRow("unreadable amounts count nothing")
            << QStringLiteral("abc")
            << QList<Amounts>{{QStringLiteral("x"), QStringLiteral("- 5,00"), QStringLiteral("?"), QStringLiteral("€")}}
            << QStringList{QStringLiteral("0,00")};
        QTest::newRow("a text without comma is cents")
            << QStringLiteral("10,00") << QList<Amounts>{{QStringLiteral("12"), {}, {}, {}}}
            << QStringList{QStringLiteral("10,12")};
        QTest::newRow("balances stop at the sheet limit")
            << QStringLiteral("999.999.999.999.999,99")
            << QList<Amounts>{{QStringLiteral("1,00"), {}, {}, {}},
                              {{}, {}, {}, QStringLiteral("0,99")},
                              {QString(1000, u'9') + QStringLiteral(",00"), {}, {}, {}}}
            << QStringList{QStringLiteral("999.999.999.999.999,99"), QStringLiteral("999.999.999.999.999,00"),
                           QStringLiteral("999.999.999.999.999,99")};
    }
    void balances()
    {
        QFETCH(QString, carryOver);
        QFETCH(QList<Amounts>, rows);
        QFETCH(QStringList, balances);
        FlexGridStore sheet = journalSheet(static_cast<int>(rows.size()) + 4);
        sheet.setTextMatrix(2, modul::ColBestand, carryOver);
        for (int i = 0; i < rows.size(); ++i)
            fillRow(sheet, i + 3, {rows[i].a0, rows[i].a1, rows[i].a2, rows[i].expense});
        FlexGridStore totals = totalsGrid();
        modul::BestandBerechnen(sheet);
        modul::SummenBerechnen(sheet, totals);
        QCOMPARE(column(sheet, modul::ColBestand).mid(3, rows.size()), balances);
        QCOMPARE(totals.textMatrix(5, 2), balances.last());
    }

    void totalsGridContents()
    {
        FlexGridStore sheet = journalSheet(6);
        fillRow(sheet, 1,
                {QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("frei"), QString(), QString(), QString(),
                 QStringLiteral("2024-03")});
        fillRow(sheet, 2,
                {QStringLiteral("1,00"), QStringLiteral("2,00"), QStringLiteral("3,00"), QStringLiteral("4,00"),
                 QStringLiteral("1.000,00")});
        fillRow(sheet, 3, {QStringLiteral("1.000.000,00"), QString(), QStringLiteral("-0,50"), QStringLiteral("0,25")});
        fillRow(sheet, 5,
                {QStringLiteral("0,10"), QStringLiteral("0,20"), QStringLiteral("0,30"), QStringLiteral("0,40"),
                 QStringLiteral("7,00")}); // new-entry row counts too
        FlexGridStore totals = totalsGrid();
        sheet.setTextMatrix(4, modul::ColBestand, QStringLiteral("1.000.000,75"));
        modul::SummenBerechnen(sheet, totals);
        QCOMPARE(column(totals, 0),
                 (QStringList{QString(), QStringLiteral("Einnahmen"), QStringLiteral("Einnahmen"),
                              QStringLiteral("Einnahmen"), QStringLiteral("Ausgaben"), QStringLiteral("Bestand")}));
        QCOMPARE(column(totals, 1), (QStringList{QString(), QStringLiteral("16%"), QStringLiteral("5%"),
                                                 QStringLiteral("frei"), QString(), QString()}));
        QCOMPARE(column(totals, 2),
                 (QStringList{QStringLiteral("2024-03"), QStringLiteral("1.000.001,10"), QStringLiteral("2,20"),
                              QStringLiteral("2,80"), QStringLiteral("4,65"), QStringLiteral("1.000.000,75")}));
        QCOMPARE(totals.colWidth(0), 2500);
        QCOMPARE(totals.row(), 5);
        for (int j = 0; j < 6; ++j)
            QCOMPARE(totals.format(j, totals.col()).bold, j >= 1);
    }

    void totalsStayWhenNoRowIsSummed()
    {
        FlexGridStore sheet = journalSheet(2);
        FlexGridStore totals = totalsGrid();
        for (int j = 1; j <= 4; ++j)
            totals.setTextMatrix(j, 2, QStringLiteral("alt"));
        modul::SummenBerechnen(sheet, totals);
        QCOMPARE(column(totals, 2).mid(1, 4), (QStringList{QStringLiteral("alt"), QStringLiteral("alt"),
                                                           QStringLiteral("alt"), QStringLiteral("alt")}));
        QCOMPARE(totals.textMatrix(1, 0), QStringLiteral("Einnahmen"));
    }

    void hugeCellTextsAreHarmless()
    {
        FlexGridStore sheet = journalSheet(5);
        const QString huge = QString(1 << 20, u'7') + QStringLiteral(",") + QString(1 << 20, u'.');
        fillRow(sheet, 2, {huge, huge, huge, huge, huge, QString(), huge});
        fillRow(sheet, 3, {huge, QString(), QString(), QString()});
        FlexGridStore totals = totalsGrid();
        recalculate(sheet, totals);
        QCOMPARE(sheet.textMatrix(3, modul::ColBestand), QStringLiteral("999.999.999.999.999,99"));
        QCOMPARE(sheet.textMatrix(3, modul::ColBeleg), QString()); // no number: kept
        QCOMPARE(totals.textMatrix(1, 2), QStringLiteral("999.999.999.999.999,99"));
    }
};

QTEST_GUILESS_MAIN(TestRecalculation)
#include "TestRecalculation.moc"
