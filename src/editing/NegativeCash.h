#pragma once

#include "platform/FlexGridStore.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// A cash balance can never be below zero: auditors recompute it row by row
// and count every negative balance as a defect of the books.
namespace modul {

// The text colour of a balance below zero, on screen and on paper.
inline constexpr GridRgb NegativeBalanceColor = gridRgb(255, 0, 0);

struct NegativeRow
{
    int row = 0;
    QString receipt; // the row's receipt number, maybe empty
    QString date;
    qint64 balance = 0;
};

// The first row, the carry-over row included, whose balance is below zero,
// read from a sheet whose balances were recalculated.
std::optional<NegativeRow> firstNegativeRow(const FlexGridStore &sheet);

// The question before saving such a month, naming that row.
QString negativeCashQuestion(const NegativeRow &row);

} // namespace modul
