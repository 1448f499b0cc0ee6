#pragma once

#include "editing/SheetLayout.h"

#include <QString>

#include <array>
#include <vector>

class FlexGridStore;

// The journal sheet's print layout: fixed column widths, the headings, one
// font size for every cell and one height for every row. The grid prints
// what it shows, so the print-out brings the sheet into this layout first
// and puts the screen layout back afterwards.
namespace PrintLayout {

// Printed widths of columns 0 to 9 in twips, the same on every screen. At
// CellPoints an amount column holds "-99.999.999,99", Konto an account of
// eight digits and Datum a date; the text column gives up what they need,
// so that the sheet keeps the page's width.
inline constexpr std::array<int, modul::ColCount> ColumnWidths = {1220, 1220, 1220, 1220, 1220,
                                                                  800,  700,  900,  1500, 20};
// The widest amount a printed amount column must show whole.
inline const QString WidestAmount = QStringLiteral("-99.999.999,99");
inline constexpr float CellPoints = 8.0F;

// Column widths and headings: "Einnahmen" over the three rate texts,
// "Ausgaben", "Bestand", "Konto", "Beleg-Nr", "Datum", "Text". Row 1 beyond
// the rates and the spacer column's headings are left as they are.
void setColumns(FlexGridStore &sheet, const modul::RateTexts &rates);

// Makes every cell current in turn, row by row, and gives it this size.
void setEveryCellFontSize(FlexGridStore &sheet, float points);

// Each row's height and each cell's own font size (0 where the cell uses the
// grid's font), kept before the print layout and put back after it, so that
// rows and cells of different sizes come back as they were.
class SheetFormats
{
public:
    explicit SheetFormats(const FlexGridStore &sheet);
    // Puts back what was kept, as far as the sheet still has those rows and
    // columns, making every cell current in turn like setEveryCellFontSize.
    void restore(FlexGridStore &sheet) const;

private:
    int m_cols = 0;
    std::vector<int> m_heights;
    std::vector<float> m_fontSizes; // row by row
};

} // namespace PrintLayout
