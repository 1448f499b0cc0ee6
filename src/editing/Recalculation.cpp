#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

#include <algorithm>
#include <cmath>
#include <optional>

// Both walks run after every key press, over every row: they read cells in
// place and write a cell only when its text changes, so an unchanged sheet
// costs no allocation at all.
namespace modul {
namespace {

qint64 clampSheet(qint64 cents)
{
    return std::clamp(cents, -MaxSheetCents, MaxSheetCents);
}

void setIfChanged(FlexGridStore &grid, int row, int col, QLatin1StringView text)
{
    if (QStringView(grid.textMatrix(row, col)) != text)
        grid.setTextMatrix(row, col, QString(text));
}

void setCents(FlexGridStore &grid, int row, int col, qint64 cents)
{
    char buffer[German::CentsTextCapacity];
    setIfChanged(grid, row, col, QLatin1StringView(buffer, German::writeCents(cents, buffer)));
}

// The receipt number of the row above plus one, or nothing where the row
// above carries none, or one that is not a number.
std::optional<double> nextReceipt(const QString &above)
{
    if (above.isEmpty() || above == u" ")
        return std::nullopt;
    const std::optional<double> number = German::textToNumber(above);
    if (!number)
        return std::nullopt;
    // Written as text and read back by the prefix reader, which stops at the
    // decimal comma: the whole part.
    return std::trunc(*number + 1.0);
}

} // namespace

void BestandBerechnen(FlexGridStore &flex, FlexGridStore &flex2, int row, int col)
{
    Q_UNUSED(row)
    Q_UNUSED(col)
    const int rows = flex.rows();
    if (rows < 5)
        return;
    // Each row's balance is read back by the next row; the cell text holds
    // exactly this value, so it is carried instead of read again.
    qint64 balance = centsOf(flex.textMatrix(RowUebertrag, ColBestand));
    for (int i = FirstEntryRow; i <= rows - 2; ++i) {
        const qint64 a0 = centsOf(flex.textMatrix(i, ColEinnahmen1));
        const qint64 a1 = centsOf(flex.textMatrix(i, ColEinnahmen2));
        const qint64 a2 = centsOf(flex.textMatrix(i, ColEinnahmen3));
        // Income at the second rate, or a positive amount at the third, makes
        // the row an income row: it carries no expense.
        if (a1 != 0 || a2 > 0)
            flex.setTextMatrix(i, ColAusgaben, QString());
        const qint64 e = centsOf(flex.textMatrix(i, ColAusgaben));
        balance = clampSheet(balance + (a1 + a0 + a2 - e));
        setCents(flex, i, ColBestand, balance);

        if (const std::optional<double> receipt = nextReceipt(flex.textMatrix(i - 1, ColBeleg))) {
            char buffer[German::NumberTextCapacity];
            setIfChanged(flex, i, ColBeleg, QLatin1StringView(buffer, German::writeNumber(*receipt, buffer)));
        }
    }
    setCents(flex2, 5, 2, balance);
}

void SummenBerechnen(FlexGridStore &flex, FlexGridStore &flex2)
{
    const int rows = flex.rows();
    if (rows > RowUebertrag) {
        // The carry-over row, the entry rows and the new-entry row; the
        // balance column is not summed.
        qint64 sums[ColAusgaben + 1] = {};
        for (int i = RowUebertrag; i < rows; ++i) {
            for (int c = ColEinnahmen1; c <= ColAusgaben; ++c)
                sums[c] = clampSheet(sums[c] + centsOf(flex.textMatrix(i, c)));
        }
        for (int c = ColEinnahmen1; c <= ColAusgaben; ++c)
            setCents(flex2, c + 1, 2, sums[c]);
    }
    for (int c = ColEinnahmen1; c <= ColEinnahmen3; ++c) {
        flex2.setTextMatrix(c + 1, 0, flex.textMatrix(0, c));
        flex2.setTextMatrix(c + 1, 1, flex.textMatrix(RowRates, c));
    }
    flex2.setTextMatrix(4, 0, flex.textMatrix(0, ColAusgaben));
    flex2.setTextMatrix(5, 0, flex.textMatrix(0, ColBestand));
    for (int j = 1; j <= 5; ++j) {
        flex2.setRow(j);
        flex2.setCellFontBold(true);
    }
    flex2.setColWidth(0, 2500);
    flex2.setTextMatrix(0, 2, flex.textMatrix(RowRates, ColBeleg));
}

} // namespace modul
