#pragma once

#include "editing/SheetLayout.h"

#include <QtGlobal>

#include <optional>

class FlexGridStore;

namespace modul {

// What a month adds up to, read from the journal sheet after its balances
// were recalculated. The totals grid shows it; exports and the year
// overview use the same value.
struct MonthTotals
{
    // False for a sheet without a carry-over row: nothing was added up.
    bool summed = false;
    // Sum of each income column over the carry-over, entry and new-entry rows.
    std::array<qint64, RateCount> income{};
    qint64 expenses = 0;
    // The balance brought into the month, and the last entry row's balance;
    // a sheet without an entry row before the new-entry row has none.
    qint64 carryOver = 0;
    std::optional<qint64> closingBalance;
    RateTexts rates;
    QString monthLabel;

    static MonthTotals of(const FlexGridStore &sheet);
};

// Fills the totals grid (6 x 3): the column totals of the income and expense
// columns with their headings and rate texts, the closing balance and the
// month label.
void showTotals(const MonthTotals &totals, const FlexGridStore &sheet, FlexGridStore &flex2);

} // namespace modul
