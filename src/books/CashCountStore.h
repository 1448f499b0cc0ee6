#pragma once

#include "editing/SheetLayout.h"
#include "storage/CountRecord.h"

#include <QString>

// Keeping a count for good: it is appended to its month file as the next
// link of the chain of change log and counts, and the file is written whole
// through the safe writer, so that a failure or a kill leaves the old file
// or the new one. The file's log and earlier counts are carried over as
// they are stored; its records stay exactly as they were.
namespace CashCountStore {

struct Result
{
    QString message;        // why nothing was stored; empty when it was
    CashCount::Count count; // as stored: with its number, time and hash

    bool ok() const { return message.isEmpty(); }
};

// Stores count (tally, who, note and the book balance it was compared
// with) into the month file at path, the month `label`, at the program
// clock's time. Refused: a month not yet saved, a closed month, and a book
// balance that is not the balance of the month as its file holds it, so
// that no count ever compares with bookings the file does not have. rates
// lay out a month without records.
Result store(const QString &programFolder, const QString &path, const QString &label, const CashCount::Count &count,
             const modul::RateTexts &rates);

} // namespace CashCountStore
