#include "editing/GermanNumbers.h"
#include "editing/Modul.h"
#include "editing/MonthTotals.h"
#include "editing/NegativeCash.h"

#include <algorithm>
#include <cmath>
#include <optional>

// Both walks run after every key press, over every row: they read cells in
// place and write a cell only when its text changes, so an unchanged sheet
// costs no allocation at all.
namespace modul {
namespace {

qint64 clampSheet(qint64 cents)
{
    return std::clamp(cents, -MaxSheetCents, MaxSheetCents);
}

void setIfChanged(FlexGridStore &grid, int row, int col, QLatin1StringView text)
{
    if (QStringView(grid.textMatrix(row, col)) != text)
        grid.setTextMatrix(row, col, QString(text));
}

void setCents(FlexGridStore &grid, int row, int col, qint64 cents)
{
    char buffer[German::CentsTextCapacity];
    setIfChanged(grid, row, col, QLatin1StringView(buffer, German::writeCents(cents, buffer)));
}

// The receipt number of the row above plus one, or nothing where the row
// above carries none, or one that is not a number.
std::optional<double> nextReceipt(const QString &above)
{
    if (above.isEmpty() || above == u" ")
        return std::nullopt;
    const std::optional<double> number = German::textToNumber(above);
    if (!number)
        return std::nullopt;
    // Written as text and read back by the prefix reader, which stops at the
    // decimal comma: the whole part.
    return std::trunc(*number + 1.0);
}

// A balance below zero shows red wherever the sheet is drawn.
void markBalance(FlexGridStore &grid, int row, int col, qint64 cents)
{
    grid.setForeColorAt(row, col, cents < 0 ? std::optional(NegativeBalanceColor) : std::nullopt);
}

} // namespace

void BestandBerechnen(FlexGridStore &flex)
{
    const int rows = flex.rows();
    if (rows < 5)
        return;
    // Each row's balance is read back by the next row; the cell text holds
    // exactly this value, so it is carried instead of read again.
    qint64 balance = centsOf(flex.textMatrix(RowUebertrag, ColBestand));
    markBalance(flex, RowUebertrag, ColBestand, balance);
    for (int i = FirstEntryRow; i <= rows - 2; ++i) {
        const qint64 a0 = centsOf(flex.textMatrix(i, ColEinnahmen1));
        const qint64 a1 = centsOf(flex.textMatrix(i, ColEinnahmen2));
        const qint64 a2 = centsOf(flex.textMatrix(i, ColEinnahmen3));
        // Income at the second rate, or a positive amount at the third, makes
        // the row an income row: it carries no expense.
        if (a1 != 0 || a2 > 0)
            flex.setTextMatrix(i, ColAusgaben, QString());
        const qint64 e = centsOf(flex.textMatrix(i, ColAusgaben));
        balance = clampSheet(balance + (a1 + a0 + a2 - e));
        setCents(flex, i, ColBestand, balance);
        markBalance(flex, i, ColBestand, balance);

        if (const std::optional<double> receipt = nextReceipt(flex.textMatrix(i - 1, ColBeleg))) {
            char buffer[German::NumberTextCapacity];
            setIfChanged(flex, i, ColBeleg, QLatin1StringView(buffer, German::writeNumber(*receipt, buffer)));
        }
    }
}

MonthTotals MonthTotals::of(const FlexGridStore &sheet)
{
    MonthTotals t;
    const int rows = sheet.rows();
    if (rows <= RowUebertrag)
        return t;
    t.summed = true;
    for (int c = 0; c < RateCount; ++c)
        t.rates[static_cast<size_t>(c)] = sheet.textMatrix(RowRates, ColEinnahmen1 + c);
    t.monthLabel = sheet.textMatrix(RowRates, ColMonthLabel);
    // The carry-over row, the entry rows and the new-entry row; the
    // balance column is not summed.
    for (int i = RowUebertrag; i < rows; ++i) {
        for (int c = 0; c < RateCount; ++c) {
            qint64 &sum = t.income[static_cast<size_t>(c)];
            sum = clampSheet(sum + centsOf(sheet.textMatrix(i, ColEinnahmen1 + c)));
        }
        t.expenses = clampSheet(t.expenses + centsOf(sheet.textMatrix(i, ColAusgaben)));
    }
    t.carryOver = centsOf(sheet.textMatrix(RowUebertrag, ColBestand));
    // The balance walk leaves the month's last balance in the last entry row;
    // it walks only sheets with an entry row before the new-entry row.
    if (rows >= FirstEntryRow + 2)
        t.closingBalance = centsOf(sheet.textMatrix(rows - 2, ColBestand));
    return t;
}

namespace {
// The totals grid: a heading column, the rate column and the amount column.
constexpr int TotalsColHeading = 0;
constexpr int TotalsColRate = 1;
constexpr int TotalsColAmount = 2;
constexpr int TotalsRowLabel = 0;
constexpr int TotalsRowFirstIncome = 1;
constexpr int TotalsRowAusgaben = TotalsRowFirstIncome + RateCount;
constexpr int TotalsRowBestand = TotalsRowAusgaben + 1;
constexpr int TotalsHeadingTwips = 2500;
} // namespace

void showTotals(const MonthTotals &totals, const FlexGridStore &sheet, FlexGridStore &flex2)
{
    if (totals.summed) {
        for (int c = 0; c < RateCount; ++c)
            setCents(flex2, TotalsRowFirstIncome + c, TotalsColAmount, totals.income[static_cast<size_t>(c)]);
        setCents(flex2, TotalsRowAusgaben, TotalsColAmount, totals.expenses);
    }
    if (totals.closingBalance) {
        setCents(flex2, TotalsRowBestand, TotalsColAmount, *totals.closingBalance);
        markBalance(flex2, TotalsRowBestand, TotalsColAmount, *totals.closingBalance);
    }
    for (int c = 0; c < RateCount; ++c) {
        const int row = TotalsRowFirstIncome + c;
        flex2.setTextMatrix(row, TotalsColHeading, sheet.textMatrix(RowHeadings, ColEinnahmen1 + c));
        flex2.setTextMatrix(row, TotalsColRate, sheet.textMatrix(RowRates, ColEinnahmen1 + c));
    }
    flex2.setTextMatrix(TotalsRowAusgaben, TotalsColHeading, sheet.textMatrix(RowHeadings, ColAusgaben));
    flex2.setTextMatrix(TotalsRowBestand, TotalsColHeading, sheet.textMatrix(RowHeadings, ColBestand));
    for (int j = TotalsRowFirstIncome; j <= TotalsRowBestand; ++j) {
        flex2.setRow(j);
        flex2.setCellFontBold(true);
    }
    flex2.setColWidth(TotalsColHeading, TotalsHeadingTwips);
    flex2.setTextMatrix(TotalsRowLabel, TotalsColAmount, totals.monthLabel);
}

void SummenBerechnen(const FlexGridStore &flex, FlexGridStore &flex2)
{
    showTotals(MonthTotals::of(flex), flex, flex2);
}

} // namespace modul
