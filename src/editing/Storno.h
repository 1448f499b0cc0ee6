#pragma once

#include "editing/SheetLayout.h"

#include <QDate>
#include <QStringList>

#include <optional>

class FlexGridStore;

// A booked entry is never overwritten; it is corrected by a reversal entry
// (Storno) that books the same amounts with the opposite sign.
namespace modul {

// The cells of the row that reverses entry row `row`: its incomes and
// expense negated, its account, today's date and the text "Storno Beleg <n>
// vom <date>" naming the original ("ohne Nr." for an entry without a number). Balance and receipt number are left to
// the recalculation. Nothing for a heading, the carry-over row or a row
// without an amount.
std::optional<QStringList> reversalRow(const FlexGridStore &sheet, int row, const QDate &today);

// The question before entry row `row` is reversed, naming it by receipt
// number, date and amounts: "Soll die Buchung Beleg-Nr. 12 vom 05.03.2026
// (Ausgaben 12,30) storniert werden ?". Only for a row reversalRow takes.
QString reversalQuestion(const FlexGridStore &sheet, int row);

// The first row after the last one holding an entry: where the next entry goes.
int nextEntryRow(const FlexGridStore &sheet);

// Writes cells into the first row after the last one holding an entry, and
// keeps an empty new-entry row below it. Returns the row written.
int appendEntry(FlexGridStore &sheet, const QStringList &cells);

} // namespace modul
