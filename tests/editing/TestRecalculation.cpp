// The recalculation against a model in whole cents, written here from the
// rules in words: the model never parses a text; it knows the cents of every
// cell because it made them, and writes amounts with its own formatter.
// Example rows add the receipt texts and limits that random sheets lack.
#include "Sheets.h"
#include "TestSupport.h"
#include "editing/Modul.h"

#include <QRandomGenerator>
#include <QtTest>

#include <array>
#include <optional>

using namespace Fixtures;
using namespace modul;

namespace {

// Two decimals, decimal comma, "." between groups of three, leading "-".
QString displayText(qint64 cents)
{
    const qint64 magnitude = cents < 0 ? -cents : cents;
    QString whole = QString::number(magnitude / 100);
    for (qsizetype p = whole.size() - 3; p > 0; p -= 3)
        whole.insert(p, u'.');
    return (cents < 0 ? QStringLiteral("-") : QString()) + whole + u','
           + QString::number(magnitude % 100).rightJustified(2, u'0');
}

using Cents = std::optional<qint64>; // nothing for an empty cell

QString cellText(Cents cents)
{
    return cents ? displayText(*cents) : QString();
}

struct ModelRow
{
    std::array<Cents, 4> amounts; // income 19 %, 7 %, 0 %, expense
    QString balance;
    Cents receipt; // where the receipt cell holds a whole number
    QString receiptText;
    QString text;

    QStringList cells() const
    {
        QStringList cells;
        for (const Cents &a : amounts)
            cells << cellText(a);
        return cells << balance << QStringLiteral("K1") << receiptText << QStringLiteral("01.03.2024") << text;
    }
};

struct Model
{
    QList<ModelRow> rows;
    Cents carryOver;
    QStringList totals = QStringList(5, QStringLiteral("alt")); // four column totals, the last balance
};

class RandomSheets
{
public:
    explicit RandomSheets(quint32 seed) : m_random(seed) {}

    Model next()
    {
        Model model;
        model.rows.resize(m_random.bounded(20) == 0 ? 200 + m_random.bounded(100) : 2 + m_random.bounded(40));
        model.carryOver = amount(30);
        for (int i = 2; i < model.rows.size(); ++i) {
            ModelRow &row = model.rows[i];
            row.amounts = {amount(40), amount(75), amount(75), amount(45)};
            // Below the carry-over row, stale balances that the walk overwrites.
            const bool stale = i > 2 && m_random.bounded(2);
            row.balance = stale ? QStringLiteral("alt") : cellText(i == 2 ? model.carryOver : amount(30));
            const int kind = m_random.bounded(10);
            if (kind >= 4)
                row.receipt = m_random.bounded(qint64(-20), qint64(100'000));
            const QStringList noNumber = {QString(), QString(), QStringLiteral(" "), QStringLiteral("A17")};
            row.receiptText = row.receipt ? QString::number(*row.receipt) : noNumber[kind];
            row.text = QStringLiteral("Buchung %1").arg(i);
        }
        return model;
    }

private:
    // Empty in emptyPercent of the cases; else mostly small, some of a
    // million and more, a few zero, a quarter of them negative.
    Cents amount(int emptyPercent)
    {
        if (m_random.bounded(100) < emptyPercent)
            return std::nullopt;
        const int size = m_random.bounded(10);
        const qint64 cents = size == 0  ? 0
                             : size < 3 ? m_random.bounded(qint64(100'000'000), qint64(1'000'000'000'000))
                             : size < 5 ? m_random.bounded(qint64(100'000), qint64(100'000'000))
                                        : m_random.bounded(qint64(1), qint64(100'000));
        return m_random.bounded(4) == 0 ? -cents : cents;
    }

    QRandomGenerator m_random;
};

// For every row from the first entry row to the one above the last: an
// income at 7 %, or a positive income at 0 %, clears the expense; the balance
// is the one above plus the incomes minus the expense; a row below a whole
// receipt number gets that number plus one. The totals add the amount
// columns from the carry-over row to the end.
void applyRules(Model &model)
{
    const int rows = static_cast<int>(model.rows.size());
    if (rows >= 5) {
        qint64 balance = model.carryOver.value_or(0);
        for (int i = 3; i <= rows - 2; ++i) {
            ModelRow &row = model.rows[i];
            const auto cents = [&row](int c) { return row.amounts[c].value_or(0); };
            if (cents(1) != 0 || cents(2) > 0)
                row.amounts[3].reset();
            balance += cents(0) + cents(1) + cents(2) - cents(3);
            row.balance = displayText(balance);
            if (const Cents above = model.rows[i - 1].receipt) {
                row.receipt = *above + 1;
                row.receiptText = QString::number(*row.receipt);
            }
        }
        model.totals[4] = displayText(balance);
    }
    for (int c = 0; c < 4 && rows >= 3; ++c) {
        qint64 sum = 0;
        for (int i = 2; i < rows; ++i)
            sum += model.rows[i].amounts[c].value_or(0);
        model.totals[c] = displayText(sum);
    }
}

FlexGridStore totalsGrid()
{
    FlexGridStore totals(6, 3, 1, 1);
    for (int j = 1; j <= 5; ++j)
        totals.setTextMatrix(j, 2, QStringLiteral("alt"));
    return totals;
}

// The editor's one walk, or the two procedures one after the other.
void recalculate(FlexGridStore &sheet, FlexGridStore &totals, bool oneWalk = true)
{
    if (oneWalk) {
        BestandUndSummenBerechnen(sheet, totals);
        return;
    }
    BestandBerechnen(sheet);
    SummenBerechnen(sheet, totals);
}

} // namespace

class TestRecalculation : public QObject
{
    Q_OBJECT
private slots:
    void randomSheetsFollowTheModel_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("oneWalk");
        QTest::newRow("seed 1, two procedures") << 1U << false;
        QTest::newRow("seed 20240301, two procedures") << 20240301U << false;
        QTest::newRow("seed 1, one walk") << 1U << true;
        QTest::newRow("seed 20240301, one walk") << 20240301U << true;
    }
    void randomSheetsFollowTheModel()
    {
        QFETCH(quint32, seed);
        QFETCH(bool, oneWalk);
        RandomSheets sheets(seed);
        for (int n = 0; n < 500; ++n) {
            Model model = sheets.next();
            const int rows = static_cast<int>(model.rows.size());
            FlexGridStore sheet = startupSheet(rows);
            for (int i = 2; i < rows; ++i)
                setRow(sheet, i, model.rows[i].cells());
            FlexGridStore totals = totalsGrid();
            applyRules(model);
            // A second run must find nothing left to change.
            for (int run = 1; run <= 2; ++run) {
                recalculate(sheet, totals, oneWalk);
                const QList<QStringList> got = texts(sheet);
                for (int i = 2; i < rows; ++i) {
                    const QStringList expected = model.rows[i].cells();
                    QCOMPARE(got[i].first(expected.size()), expected);
                }
                QCOMPARE(column(totals, 2).mid(1), model.totals);
            }
        }
    }

    void receiptChain_data()
    {
        QTest::addColumn<QStringList>("before"); // from the carry-over row to the new-entry row
        QTest::addColumn<QStringList>("after");
        QTest::newRow("fraction: the whole part of the next") << items("41,5||") << items("41,5|42|");
        QTest::newRow("between -1 and 0") << items("-0,5||") << items("-0,5|0|");
        QTest::newRow("negative fraction gives 0, not -0") << items("-1,5||") << items("-1,5|0|");
        QTest::newRow("a whole chain past 10^15")
            << items("999999999999998|||") << items("999999999999998|999999999999999|1000000000000000|");
        QTest::newRow("a negative chain through 0") << items("-2|||") << items("-2|-1|0|");
        const QString big = QStringLiteral("1") + QString(400, u'0');
        QTest::newRow("too large for a double: no number")
            << (QStringList{big} << items("9|")) << (QStringList{big} << items("9|"));
    }
    void receiptChain()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        FlexGridStore sheet = startupSheet(static_cast<int>(before.size()) + 2);
        for (int i = 0; i < before.size(); ++i)
            sheet.setTextMatrix(i + 2, ColBeleg, before[i]);
        BestandBerechnen(sheet);
        QCOMPARE(column(sheet, ColBeleg).mid(2), after);
    }

    void balancesAndTotalsStopAtTheSheetLimit()
    {
        const QString limit = QStringLiteral("999.999.999.999.999,99");
        FlexGridStore sheet = startupSheet(6);
        sheet.setTextMatrix(RowUebertrag, ColBestand, limit);
        setRow(sheet, 3, {QStringLiteral("1,00")});
        setRow(sheet, 4, {QString(), QString(), QString(), QStringLiteral("0,99")});
        setRow(sheet, 5, {limit}); // the new-entry row counts in the totals
        FlexGridStore totals = totalsGrid();
        recalculate(sheet, totals);
        QCOMPARE(column(sheet, ColBestand).mid(3, 2), (QStringList{limit, QStringLiteral("999.999.999.999.999,00")}));
        QCOMPARE(totals.textMatrix(1, 2), limit);
    }

    void totalsGridNamesItsRows()
    {
        FlexGridStore sheet = startupSheet();
        sheet.setTextMatrix(RowRates, ColBeleg, QStringLiteral("2024-03"));
        FlexGridStore totals = totalsGrid();
        SummenBerechnen(sheet, totals);
        QCOMPARE(column(totals, 0),
                 (QStringList{QString(), QStringLiteral("Einnahmen"), QStringLiteral("Einnahmen"),
                              QStringLiteral("Einnahmen"), QStringLiteral("Ausgaben"), QStringLiteral("Bestand")}));
        QCOMPARE(column(totals, 1).mid(1, 3), defaultRates());
        QCOMPARE(totals.textMatrix(0, 2), QStringLiteral("2024-03"));
    }
};

QTEST_GUILESS_MAIN(TestRecalculation)
#include "TestRecalculation.moc"
