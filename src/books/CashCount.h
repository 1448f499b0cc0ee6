#pragma once

#include "editing/SheetLayout.h"
#include "storage/CountRecord.h"
#include "storage/MonthContents.h"

#include <QDate>
#include <QStringList>
#include <QStringView>

#include <optional>

// Counting the cash drawer (Kassensturz): what the pieces add up to, how far
// the drawer is off the book, and the row that books the difference. A
// count is only evidence if it was really made, so every figure is exact to
// the cent and the count is kept as it was taken (see CashCountStore).
namespace CashCount {

// The most pieces of one denomination a count takes.
inline constexpr int MaxPieces = 99999;

// "500 €", "2 €", "50 ct"
QString denominationLabel(int index);

// The pieces typed into a count field: the empty text is none; otherwise a
// whole number from 0 to MaxPieces, blanks around it and dots between
// groups of three allowed ("1.000"). Anything else gives nothing, and the
// German message why in problem.
std::optional<int> parsePieces(QStringView text, QString *problem = nullptr);

// The value of that many pieces of denomination index, in cents.
qint64 rowSum(int index, int pieces);
// What the tally adds up to, in cents.
qint64 total(const Tally &pieces);

// A count as taken at time against the book balance: its total and
// difference worked out; number and hash come when it is stored.
Count taken(const Tally &pieces, qint64 bookBalance, const QString &countedBy, const QString &note,
            const QString &time);

// The accounts a difference is booked to, as the DATEV settings name them.
struct DifferenceAccounts
{
    QString shortage;
    QString surplus;
};

// The income column that takes a surplus: choice 1 to 3 names it; 0 (or
// anything else) means the column whose rate is 0 %, or else the first.
int surplusColumn(int choice, const modul::RateTexts &rates);

// "Kassendifferenz lt. Zählung 15.03. 18:30" for a count made at countTime.
// The text column holds 40 characters, so the date goes without its year,
// which the row's date and the month name anyway.
QString bookingText(const QString &countTime);

// The cells of the row that books the count's difference: a shortage as an
// expense, a surplus as an income in column `column`, the account for its
// kind in Konto, today's date and bookingText. Balance and receipt number
// are left to the recalculation. Nothing when the drawer held the book's
// balance exactly.
std::optional<QStringList> differenceRow(const Count &count, int column, const DifferenceAccounts &accounts,
                                         const QDate &today);

// True when the month has entries but no count after its last booking: a
// count is after a booking when no amount of an entry row was written to
// the log after it, except into the row that books that count's difference.
bool uncountedSinceLastBooking(const MonthContents &month);
// The note the close question then carries.
QString uncountedNote(); // "Für diesen Monat gibt es keine Kassenzählung nach der letzten Buchung"

} // namespace CashCount
