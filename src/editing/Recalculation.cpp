#include "editing/GermanNumbers.h"
#include "editing/Modul.h"
#include "editing/MonthTotals.h"
#include "editing/NegativeCash.h"

#include <algorithm>
#include <array>
#include <charconv>
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

void setCents(FlexGridStore &grid, int row, int col, qint64 cents)
{
    char buffer[German::CentsTextCapacity];
    grid.setTextMatrix(row, col, QLatin1StringView(buffer, German::writeCents(cents, buffer)));
}

// The display format of German::writeCents, written backwards from the end
// of the buffer so that nothing is copied: the walk writes one per row.
QLatin1StringView centsText(qint64 cents, char (&buffer)[German::CentsTextCapacity])
{
    constexpr int Group = 3;
    quint64 magnitude = cents < 0 ? 0U - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    char *p = buffer + German::CentsTextCapacity;
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    *--p = ',';
    for (int inGroup = 0;; ++inGroup) {
        if (inGroup == Group) {
            *--p = '.';
            inGroup = 0;
        }
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        if (magnitude == 0)
            break;
    }
    if (cents < 0)
        *--p = '-';
    return QLatin1StringView(p, buffer + German::CentsTextCapacity - p);
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

// Whole receipt numbers below this are written and read back exactly as
// integers, so the chain carries them without reading the cell above.
constexpr qint64 ExactReceiptLimit = 1'000'000'000'000'000;

// A balance below zero shows red wherever the sheet is drawn.
void markBalance(FlexGridStore &grid, int row, int col, qint64 cents)
{
    grid.setForeColorAt(row, col, cents < 0 ? std::optional(NegativeBalanceColor) : std::nullopt);
}

void addAmounts(MonthTotals &totals, const std::array<qint64, RateCount> &income, qint64 expense)
{
    for (size_t c = 0; c < RateCount; ++c)
        totals.income[c] = clampSheet(totals.income[c] + income[c]);
    totals.expenses = clampSheet(totals.expenses + expense);
}

void addRow(MonthTotals &totals, const FlexGridStore &sheet, int row)
{
    std::array<qint64, RateCount> income{};
    for (int c = 0; c < RateCount; ++c)
        income[static_cast<size_t>(c)] = centsOf(sheet.textMatrix(row, ColEinnahmen1 + c));
    addAmounts(totals, income, centsOf(sheet.textMatrix(row, ColAusgaben)));
}

// The balance walk; with totals, it adds up the month on the way, as
// MonthTotals::of would read it from the walked sheet.
void walkBalances(FlexGridStore &flex, MonthTotals *totals)
{
    const int rows = flex.rows();
    if (totals && rows > RowUebertrag) {
        totals->summed = true;
        addRow(*totals, flex, RowUebertrag);
    }
    if (rows < 5) {
        for (int i = FirstEntryRow; totals && i < rows; ++i)
            addRow(*totals, flex, i);
        return;
    }
    // Each row's balance is read back by the next row; the cell text holds
    // exactly this value, so it is carried instead of read again.
    qint64 balance = centsOf(flex.textMatrix(RowUebertrag, ColBestand));
    markBalance(flex, RowUebertrag, ColBestand, balance);
    // Likewise the receipt number written into the row above, while whole.
    bool chained = false;
    qint64 receiptAbove = 0;
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
        char balanceText[German::CentsTextCapacity];
        flex.setTextMatrix(i, ColBestand, centsText(balance, balanceText));
        markBalance(flex, i, ColBestand, balance);
        if (totals)
            addAmounts(*totals, {a0, a1, a2}, e);

        if (chained && receiptAbove + 1 < ExactReceiptLimit && receiptAbove + 1 > -ExactReceiptLimit) {
            const qint64 receipt = receiptAbove + 1;
            char buffer[German::CentsTextCapacity];
            const char *end = std::to_chars(buffer, buffer + sizeof buffer, receipt).ptr;
            flex.setTextMatrix(i, ColBeleg, QLatin1StringView(buffer, end - buffer));
            receiptAbove = receipt;
        } else if (const std::optional<double> receipt = nextReceipt(flex.textMatrix(i - 1, ColBeleg))) {
            char buffer[German::NumberTextCapacity];
            flex.setTextMatrix(i, ColBeleg, QLatin1StringView(buffer, German::writeNumber(*receipt, buffer)));
            chained = std::fabs(*receipt) < static_cast<double>(ExactReceiptLimit);
            receiptAbove = chained ? static_cast<qint64>(*receipt) : 0;
        } else {
            chained = false;
        }
    }
    if (totals) {
        addRow(*totals, flex, rows - 1);
        totals->closingBalance = balance;
    }
}

} // namespace

void BestandBerechnen(FlexGridStore &flex)
{
    walkBalances(flex, nullptr);
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
    // Each row made current in turn and set bold; once done, doing it again
    // would end in the same state.
    bool bold = flex2.row() == TotalsRowBestand;
    for (int j = TotalsRowFirstIncome; bold && j <= TotalsRowBestand; ++j)
        bold = flex2.format(j, TotalsColHeading).bold;
    for (int j = TotalsRowFirstIncome; !bold && j <= TotalsRowBestand; ++j) {
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

void BestandUndSummenBerechnen(FlexGridStore &flex, FlexGridStore &flex2)
{
    MonthTotals totals;
    walkBalances(flex, &totals);
    if (totals.summed) {
        for (int c = 0; c < RateCount; ++c)
            totals.rates[static_cast<size_t>(c)] = flex.textMatrix(RowRates, ColEinnahmen1 + c);
        totals.monthLabel = flex.textMatrix(RowRates, ColMonthLabel);
        totals.carryOver = centsOf(flex.textMatrix(RowUebertrag, ColBestand));
    }
    showTotals(totals, flex, flex2);
}

} // namespace modul
