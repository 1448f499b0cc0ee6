#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

// A count of the cash drawer as a month file stores it. The rules that sum
// it, book its difference and chain it into the change log are the books'
// (books/CashCount.h, books/ChangeLog.h); the file only keeps it.
namespace CashCount {

// The coins and notes of the euro, highest first, in cents: the 500, 200,
// 100, 50, 20, 10 and 5 euro notes, the 2 and 1 euro coins, and the 50, 20,
// 10, 5, 2 and 1 cent coins. The file has one column for each.
inline constexpr std::array<qint64, 15> denominations = {50000, 20000, 10000, 5000, 2000, 1000, 500, 200,
                                                         100,   50,    20,    10,   5,    2,    1};
inline constexpr int DenominationCount = static_cast<int>(denominations.size());

// How many pieces of each denomination lay in the drawer, in that order.
using Tally = std::array<int, DenominationCount>;

struct Count
{
    qint64 number = 0; // its place in the month's chain of log entries and counts
    QString time;      // ISO 8601 with the UTC offset, as log entries have it
    QString countedBy;
    QString note;
    qint64 bookBalance = 0; // the month's balance after its last entry, in cents
    qint64 counted = 0;     // the sum of the tally, in cents
    qint64 difference = 0;  // counted - bookBalance: below zero the drawer is short
    Tally pieces{};
    QByteArray hash; // 64 hex digits
};
using Counts = std::vector<Count>;

} // namespace CashCount
