#include "editing/Modul.h"

#include "JournalSheet.h"

#include <QtTest>

using namespace Qt::StringLiterals;

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
    modul::BestandBerechnen(sheet, totals);
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
        fillRow(sheet, 2, {u"1,00"_s, QString(), QString(), QString(), u"10,00"_s, QString(), u"41"_s});
        fillRow(sheet, rows - 1, {QString(), u"5,00"_s, QString(), u"2,00"_s, u"alt"_s, QString(), u"x"_s});
        FlexGridStore totals = totalsGrid();
        totals.setTextMatrix(5, 2, u"alt"_s);
        const QStringList before = allTexts(sheet);
        modul::BestandBerechnen(sheet, totals);
        QCOMPARE(allTexts(sheet), before);
        QCOMPARE(totals.textMatrix(5, 2), u"alt"_s);
    }

    void carryOverIncomeAndExpense()
    {
        FlexGridStore sheet = journalSheet(6);
        fillRow(sheet, 2, {QString(), QString(), QString(), QString(), u"1.000,00"_s});
        fillRow(sheet, 3, {u"100,00"_s});
        fillRow(sheet, 4, {QString(), QString(), QString(), u"50,00"_s});
        FlexGridStore totals = totalsGrid();
        recalculate(sheet, totals);
        QCOMPARE(column(sheet, modul::ColBestand).mid(2),
                 (QStringList{u"1.000,00"_s, u"1.100,00"_s, u"1.050,00"_s, QString()}));
        QCOMPARE(column(totals, 2), (QStringList{QString(), u"100,00"_s, u"0,00"_s, u"0,00"_s, u"50,00"_s,
                                                 u"1.050,00"_s}));
    }

    void expenseRule_data()
    {
        QTest::addColumn<Amounts>("row");
        QTest::addColumn<QString>("expense");
        QTest::addColumn<QString>("balance");
        const QString e = u"5,00"_s;
        QTest::newRow("income at 7 % empties the expense") << Amounts{{}, u"10,00"_s, {}, e} << QString() << u"110,00"_s;
        QTest::newRow("negative income at 7 % empties it too")
            << Amounts{{}, u"-10,00"_s, {}, e} << QString() << u"90,00"_s;
        QTest::newRow("positive income at 0 % empties the expense")
            << Amounts{{}, {}, u"0,01"_s, e} << QString() << u"100,01"_s;
        QTest::newRow("negative income at 0 % keeps the expense")
            << Amounts{{}, {}, u"-10,00"_s, e} << e << u"85,00"_s;
        QTest::newRow("income at 19 % keeps the expense") << Amounts{u"100,00"_s, {}, {}, e} << e << u"195,00"_s;
        QTest::newRow("zero at 7 % keeps the expense") << Amounts{{}, u"0,00"_s, {}, e} << e << u"95,00"_s;
        QTest::newRow("expense alone") << Amounts{{}, {}, {}, e} << e << u"95,00"_s;
        QTest::newRow("all three incomes") << Amounts{u"1,00"_s, u"2,00"_s, u"3,00"_s, e} << QString() << u"106,00"_s;
    }
    void expenseRule()
    {
        QFETCH(Amounts, row);
        QFETCH(QString, expense);
        QFETCH(QString, balance);
        FlexGridStore sheet = journalSheet(5);
        fillRow(sheet, 2, {QString(), QString(), QString(), QString(), u"100,00"_s});
        fillRow(sheet, 3, {row.a0, row.a1, row.a2, row.expense});
        FlexGridStore totals = totalsGrid();
        recalculate(sheet, totals);
        QCOMPARE(sheet.textMatrix(3, modul::ColAusgaben), expense);
        QCOMPARE(sheet.textMatrix(3, modul::ColBestand), balance);
        // The totals see the expense as the walk left it.
        QCOMPARE(totals.textMatrix(4, 2), expense.isEmpty() ? u"0,00"_s : expense);
    }

    void receiptChain_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        const QString big = u"1"_s + QString(400, u'0');
        QTest::newRow("chain from 41 overwrites, new-entry row keeps")
            << QStringList{u"41"_s, u"7"_s, QString(), u"x"_s, u"99"_s}
            << QStringList{u"41"_s, u"42"_s, u"43"_s, u"44"_s, u"99"_s};
        QTest::newRow("empty carry-over starts no chain")
            << QStringList{QString(), QString(), u"10"_s, u"3"_s, u"3"_s, QString()}
            << QStringList{QString(), QString(), u"10"_s, u"11"_s, u"12"_s, QString()};
        QTest::newRow("single blank breaks the chain")
            << QStringList{u" "_s, u"5"_s, u"1"_s, QString()} << QStringList{u" "_s, u"5"_s, u"6"_s, QString()};
        QTest::newRow("two blanks are no number: next row kept")
            << QStringList{u"  "_s, u"5"_s, u"1"_s, QString()} << QStringList{u"  "_s, u"5"_s, u"6"_s, QString()};
        QTest::newRow("letters are no number: next row kept")
            << QStringList{u"A17"_s, u"9"_s, u"1"_s, QString()} << QStringList{u"A17"_s, u"9"_s, u"10"_s, QString()};
        QTest::newRow("letters inside the chain")
            << QStringList{QString(), u"A17"_s, u"5"_s, u"1"_s, QString()}
            << QStringList{QString(), u"A17"_s, u"5"_s, u"6"_s, QString()};
        QTest::newRow("a number too large for a double")
            << QStringList{big, u"9"_s, u"1"_s, QString()} << QStringList{big, u"9"_s, u"10"_s, QString()};
        QTest::newRow("fraction: whole part of the next")
            << QStringList{u"41,5"_s, QString(), QString()} << QStringList{u"41,5"_s, u"42"_s, QString()};
        QTest::newRow("grouped thousand") << QStringList{u"1.000"_s, QString(), QString()}
                                          << QStringList{u"1.000"_s, u"1001"_s, QString()};
        QTest::newRow("through zero")
            << QStringList{u"-2"_s, QString(), QString(), QString(), QString()}
            << QStringList{u"-2"_s, u"-1"_s, u"0"_s, u"1"_s, QString()};
        QTest::newRow("negative fraction gives 0, not -0")
            << QStringList{u"-1,5"_s, QString(), QString()} << QStringList{u"-1,5"_s, u"0"_s, QString()};
        QTest::newRow("blanks around") << QStringList{u" 41 "_s, QString(), QString()}
                                       << QStringList{u" 41 "_s, u"42"_s, QString()};
    }
    void receiptChain()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        FlexGridStore sheet = journalSheet(static_cast<int>(before.size()) + 2);
        for (int i = 0; i < before.size(); ++i)
            sheet.setTextMatrix(i + 2, modul::ColBeleg, before[i]);
        FlexGridStore totals = totalsGrid();
        modul::BestandBerechnen(sheet, totals);
        QCOMPARE(column(sheet, modul::ColBeleg).mid(2), after);
    }

    void balances_data()
    {
        QTest::addColumn<QString>("carryOver");
        QTest::addColumn<QList<Amounts>>("rows");
        QTest::addColumn<QStringList>("balances");
        QTest::newRow("negative balance is carried on")
            << u"10,00"_s << QList<Amounts>{{{}, {}, {}, u"22,30"_s}, {u"2,30"_s, {}, {}, {}}}
            << QStringList{u"-12,30"_s, u"-10,00"_s};
        QTest::newRow("negative carry-over") << u"-0,50"_s << QList<Amounts>{{u"0,20"_s, {}, {}, {}}}
                                             << QStringList{u"-0,30"_s};
        QTest::newRow("empty carry-over starts at zero") << QString() << QList<Amounts>{{u"1,00"_s, {}, {}, {}}}
                                                         << QStringList{u"1,00"_s};
        QTest::newRow("passing a million")
            << u"999.999,99"_s
            << QList<Amounts>{{u"0,01"_s, {}, {}, {}}, {u"1.234.567,89"_s, {}, {}, {}},
                              {{}, {}, {}, u"3.000.000,00"_s}}
            << QStringList{u"1.000.000,00"_s, u"2.234.567,89"_s, u"-765.432,11"_s};
        QTest::newRow("carry-over of millions") << u"-1.234.567,89"_s << QList<Amounts>{{{}, {}, {}, u"0,11"_s}}
                                                << QStringList{u"-1.234.568,00"_s};
        QTest::newRow("unreadable amounts count nothing")
            << u"abc"_s << QList<Amounts>{{u"x"_s, u"- 5,00"_s, u"?"_s, u"€"_s}} << QStringList{u"0,00"_s};
        QTest::newRow("a text without comma is cents") << u"10,00"_s << QList<Amounts>{{u"12"_s, {}, {}, {}}}
                                                       << QStringList{u"10,12"_s};
        QTest::newRow("balances stop at the sheet limit")
            << u"999.999.999.999.999,99"_s
            << QList<Amounts>{{u"1,00"_s, {}, {}, {}}, {{}, {}, {}, u"0,99"_s}, {QString(1000, u'9') + u",00"_s, {}, {}, {}}}
            << QStringList{u"999.999.999.999.999,99"_s, u"999.999.999.999.999,00"_s, u"999.999.999.999.999,99"_s};
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
        modul::BestandBerechnen(sheet, totals);
        QCOMPARE(column(sheet, modul::ColBestand).mid(3, rows.size()), balances);
        QCOMPARE(totals.textMatrix(5, 2), balances.last());
    }

    void totalsGridContents()
    {
        FlexGridStore sheet = journalSheet(6);
        fillRow(sheet, 1, {u"16%"_s, u"5%"_s, u"frei"_s, QString(), QString(), QString(), u"2024-03"_s});
        fillRow(sheet, 2, {u"1,00"_s, u"2,00"_s, u"3,00"_s, u"4,00"_s, u"1.000,00"_s});
        fillRow(sheet, 3, {u"1.000.000,00"_s, QString(), u"-0,50"_s, u"0,25"_s});
        fillRow(sheet, 5, {u"0,10"_s, u"0,20"_s, u"0,30"_s, u"0,40"_s, u"7,00"_s}); // new-entry row counts too
        FlexGridStore totals = totalsGrid();
        modul::SummenBerechnen(sheet, totals);
        QCOMPARE(column(totals, 0), (QStringList{QString(), u"Einnahmen"_s, u"Einnahmen"_s, u"Einnahmen"_s,
                                                 u"Ausgaben"_s, u"Bestand"_s}));
        QCOMPARE(column(totals, 1),
                 (QStringList{QString(), u"16%"_s, u"5%"_s, u"frei"_s, QString(), QString()}));
        QCOMPARE(column(totals, 2), (QStringList{u"2024-03"_s, u"1.000.001,10"_s, u"2,20"_s, u"2,80"_s,
                                                 u"4,65"_s, QString()}));
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
            totals.setTextMatrix(j, 2, u"alt"_s);
        modul::SummenBerechnen(sheet, totals);
        QCOMPARE(column(totals, 2).mid(1, 4), (QStringList{u"alt"_s, u"alt"_s, u"alt"_s, u"alt"_s}));
        QCOMPARE(totals.textMatrix(1, 0), u"Einnahmen"_s);
    }

    void hugeCellTextsAreHarmless()
    {
        FlexGridStore sheet = journalSheet(5);
        const QString huge = QString(1 << 20, u'7') + u","_s + QString(1 << 20, u'.');
        fillRow(sheet, 2, {huge, huge, huge, huge, huge, QString(), huge});
        fillRow(sheet, 3, {huge, QString(), QString(), QString()});
        FlexGridStore totals = totalsGrid();
        recalculate(sheet, totals);
        QCOMPARE(sheet.textMatrix(3, modul::ColBestand), u"999.999.999.999.999,99"_s);
        QCOMPARE(sheet.textMatrix(3, modul::ColBeleg), QString()); // no number: kept
        QCOMPARE(totals.textMatrix(1, 2), u"999.999.999.999.999,99"_s);
    }
};

QTEST_GUILESS_MAIN(TestRecalculation)
#include "TestRecalculation.moc"
