#pragma once

#include "editing/SheetLayout.h"
#include "storage/JournalTable.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class FlexGridStore;

// A month continues the one before: its carry-over is that month's closing
// balance, and its receipt numbers go on from that month's last one.
namespace CarryOver {

// The month before, as selector texts: "2026" "01" gives "2025" "12".
// Nothing when the texts are not a four-digit year and a month 01 to 12.
struct Month
{
    QString year;
    QString month;
};
std::optional<Month> previousMonth(const QString &year, const QString &month);

// Where a month ends, recalculated from its records as a load shows them.
struct Closing
{
    qint64 balance = 0;
    QString receipt; // of the last row holding an entry; the carry-over's when none does
};
Closing closingOf(const Records &records, const modul::RateTexts &rates);

// Lays out an empty month that starts where the month `fromLabel` closed:
// the carry-over row holds its balance and last receipt number, and its text
// "Übertrag aus 2026-02" says where they came from.
void startMonth(FlexGridStore &sheet, const Closing &closing, const QString &fromLabel, const modul::RateTexts &rates);

// The message when a month's carry-over is not the closing balance of the month before.
QString mismatchMessage(const QString &label, qint64 carryOver, const QString &previousLabel, qint64 closing);

} // namespace CarryOver
