#include "editing/SheetLayout.h"

#include "platform/FlexGridStore.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace modul {
namespace {
const std::array<const char *, ColCount> Headings = {"Einnahmen", "Einnahmen", "Einnahmen", "Ausgaben", "Bestand",
                                                     "Konto",     "Beleg-Nr",  "Datum",     "Text",     ""};
// Design widths in twips before scaling; the amount columns take the
// default width plus the vertical factor, as the sheet always had them.
constexpr double AmountColTwips = 1000.0;
constexpr double KontoColTwips = 600.0;
constexpr double BelegColTwips = 900.0;
constexpr double TextColTwips = 2500.0;
constexpr int SpacerColTwips = 20;
// The rows the sheet is made with; start-up scales them all.
constexpr int StartRowCount = 5;
constexpr float HeadingPoints = 9.0F;
constexpr GridRgb CarryOverGrey = gridRgb(192, 192, 192);
// Digits all have one width in the sheet's fonts; these stand for the widest
// amount, date, account and receipt number a column must show.
const QString WidestAmount = QStringLiteral("-9.999.999,99");
const QString WidestDate = QStringLiteral("28.08.2026");
const QString WidestAccount = QStringLiteral("88888888");
const QString WidestReceipt = QStringLiteral("888888");
} // namespace

QString widestText(int col)
{
    if (col >= ColEinnahmen1 && col <= LastAmountCol)
        return WidestAmount;
    switch (col) {
    case ColDatum:
        return WidestDate;
    case ColKonto:
        return WidestAccount;
    case ColBeleg:
        return WidestReceipt;
    default:
        return QString();
    }
}

void fitColumns(FlexGridStore &sheet, const std::function<int(const QString &)> &textTwips)
{
    // The text column gives up at most half its width. On a screen smaller
    // than the design's, where that is not enough, dates come first, then
    // the amounts; a column that does not fit then keeps its width.
    const int text = sheet.colWidth(ColText);
    int room = text / 2;
    for (int c : {ColDatum, ColEinnahmen1, ColEinnahmen2, ColEinnahmen3, ColAusgaben, ColBestand, ColKonto, ColBeleg}) {
        const int gap = textTwips(widestText(c)) - sheet.colWidth(c);
        if (gap > 0 && gap <= room) {
            sheet.setColWidth(c, sheet.colWidth(c) + gap);
            room -= gap;
        }
    }
    sheet.setColWidth(ColText, text / 2 + room);
}

RateTexts defaultRateTexts()
{
    return {QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")};
}

QString heading(int col)
{
    if (col < 0 || col >= ColCount)
        return QString();
    return QString::fromUtf8(Headings[static_cast<size_t>(col)]);
}

bool holdsEntry(const FlexGridStore &sheet, int row)
{
    for (int c : {ColEinnahmen1, ColEinnahmen2, ColEinnahmen3, ColAusgaben, ColKonto, ColDatum, ColText}) {
        if (!sheet.textMatrix(row, c).trimmed().isEmpty())
            return true;
    }
    return false;
}

void keepNewEntryRow(FlexGridStore &sheet)
{
    const int last = sheet.rows() - 1;
    if (last >= FirstEntryRow && holdsEntry(sheet, last))
        sheet.setRows(sheet.rows() + 1);
}

void layoutSheet(FlexGridStore &sheet, const RateTexts &rates, double sfx, double sfy, bool scaleRows)
{
    for (int i = 0; i < ColCount; ++i) {
        sheet.setColWidth(i, roundHalfEven(AmountColTwips + sfy));
        sheet.setTextMatrix(RowHeadings, i, heading(i));
        if (i < RateCount)
            sheet.setTextMatrix(RowRates, i, rates[static_cast<size_t>(i)]);
        if (i <= LastAmountCol)
            sheet.setColWidth(i, roundHalfEven(sheet.colWidth(i) * sfx));
        else if (i == ColKonto)
            sheet.setColWidth(i, roundHalfEven(KontoColTwips * sfx));
        else if (i == ColBeleg)
            sheet.setColWidth(i, roundHalfEven(BelegColTwips * sfx));
        else if (i == ColText)
            sheet.setColWidth(i, roundHalfEven(TextColTwips * sfx));
        else if (i == ColSpacer)
            sheet.setColWidth(i, SpacerColTwips);
        if (i < StartRowCount && scaleRows)
            sheet.setRowHeight(i, roundHalfEven(sheet.rowHeight(i) * sfy));
    }
}

void formatHeadings(FlexGridStore &sheet, double sfy)
{
    sheet.setRow(RowHeadings);
    for (int c = 0; c < sheet.cols(); ++c) {
        sheet.setCol(c);
        sheet.setCellFontBold(true);
        sheet.setColAlignmentFixed(c, FlexAlign::CenterTop);
        sheet.setCellFontSize(static_cast<float>(HeadingPoints * sfy));
        sheet.setCellFontName(QStringLiteral("MS Sans Serif"));
    }
    for (int c = ColBestand; c <= ColText; ++c) {
        sheet.setCol(c);
        sheet.setRow(RowUebertrag);
        sheet.setCellBackColor(CarryOverGrey);
    }
    // A carry-over taken from the month before keeps saying where it came from.
    const QString carryOver = QStringLiteral("Übertrag");
    if (!sheet.textMatrix(RowUebertrag, ColText).startsWith(carryOver + QStringLiteral(" aus ")))
        sheet.setTextMatrix(RowUebertrag, ColText, carryOver);
}

} // namespace modul
