#pragma once

#include <QString>

#include <array>
#include <functional>

class FlexGridStore;

// Where things sit on the journal sheet, and how the sheet is laid out and
// headed at start-up. Every rule that reads the sheet uses these names.
namespace modul {

constexpr int ColEinnahmen1 = 0;
constexpr int ColEinnahmen2 = 1;
constexpr int ColEinnahmen3 = 2;
constexpr int ColAusgaben = 3;
constexpr int ColBestand = 4;
constexpr int ColKonto = 5;
constexpr int ColBeleg = 6;
constexpr int ColDatum = 7;
constexpr int ColText = 8;
constexpr int ColSpacer = 9;
constexpr int ColCount = 10;
// The amount columns: the three incomes, the expense and the balance.
constexpr int LastAmountCol = ColBestand;

constexpr int RowHeadings = 0;
constexpr int RowRates = 1;
constexpr int RowUebertrag = 2;
constexpr int FirstEntryRow = 3;
// The month label ("Monat 03 / 2026") stands in the rates row above the receipt numbers.
constexpr int ColMonthLabel = ColBeleg;

// The three tax-rate texts shown under the income columns ("19%", "7%", "0%").
constexpr int RateCount = 3;
using RateTexts = std::array<QString, RateCount>;
RateTexts defaultRateTexts();

// The heading of a column in row 0 ("Einnahmen", …, "Text"; the spacer has none).
QString heading(int col);

// A row that books something: an amount, an account, a date or a text. The
// balance and the receipt number are worked out, so they do not count.
bool holdsEntry(const FlexGridStore &sheet, int row);

// An entry in the last row gets an empty new-entry row below it, so that its
// balance and receipt number are worked out like every other entry's.
void keepNewEntryRow(FlexGridStore &sheet);

// Column widths and headings for the screen, scaled by the screen factors;
// the heading rows' heights are scaled too when scaleRows is set.
void layoutSheet(FlexGridStore &sheet, const RateTexts &rates, double sfx, double sfy, bool scaleRows);

// The widest text each column must show whole on the screen, or empty for
// none: amounts below ten million with their sign, a date, an account of
// eight digits and a six-digit receipt number. The text column shows what
// room leaves.
QString widestText(int col);
// Widens each column too narrow for its widest text and narrows the text
// column by as much, down to half its width, so that the sheet keeps its
// width. textTwips gives a
// text's width in twips in the sheet's font, the cell's padding included.
void fitColumns(FlexGridStore &sheet, const std::function<int(const QString &)> &textTwips);

// Bold centred headings and the grey carry-over row. It moves the current
// cell, so the cell handlers must be idle while it runs.
void formatHeadings(FlexGridStore &sheet, double sfy);

} // namespace modul
