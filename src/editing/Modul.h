#pragma once

#include "editing/CellEntry.h"
#include "editing/SheetLayout.h"
#include "platform/FlexGridStore.h"

#include <QString>
#include <QStringView>

// Amount texts on whole cents and the recalculation of the journal sheet.
// The sheet keeps amounts only as display texts ("1.234,56"), so every rule
// here goes from text to cents and back.
namespace modul {

// The largest amount a commit writes: the 32-bit cent range, both signs.
constexpr qint64 MaxCommitCents = 2147483647;
// Balances and totals stop at ±999.999.999.999.999,99: far beyond any cash
// book, and five such values still add up without overflow.
constexpr qint64 MaxSheetCents = 99999999999999999;

// Removes the first "." of s; a second one stays.
QString PunktEntfernen(const QString &s);

// The cents text of an amount text: " 123456" for "1.234,56", "-50" for
// "-0,50". s is rewritten: the empty text becomes "00" and every "." is
// dropped. A text without a comma is taken as cents already ("12" is 12
// cents). With a comma, the digits before it and the last two characters of
// the text are read as one whole number.
QString BetragInCent(QString &s);

// The value of BetragInCent(text) as the sums read it, without building any
// text: exact, limited to ±MaxSheetCents, unreadable text counts 0.
qint64 centsOfText(QStringView text);
// Most cells of a sheet are empty: they are told apart without a call.
inline qint64 centsOf(QStringView text)
{
    return text.isEmpty() ? 0 : centsOfText(text);
}

// The commit rule for the amount columns: the new text of the cell when the
// editor holds editorText (at least one character). A number in whole cents
// becomes their display format; 0 leaves cellText as it is; a blank empties
// the cell. Text that is not a number, digits past the cent and amounts past
// ±MaxCommitCents are refused.
CellEntry commitAmount(const QString &editorText, const QString &cellText);

// Rewrites the running balance and the receipt-number chain of every entry
// row except the new-entry row.
void BestandBerechnen(FlexGridStore &flex);

// Fills the totals grid flex2 with the month's totals (see showTotals).
void SummenBerechnen(const FlexGridStore &flex, FlexGridStore &flex2);

// BestandBerechnen and then SummenBerechnen, in one walk over the sheet.
void BestandUndSummenBerechnen(FlexGridStore &flex, FlexGridStore &flex2);

} // namespace modul
