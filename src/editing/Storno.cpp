#include "editing/Storno.h"

#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

namespace modul {
namespace {
constexpr std::array<int, 4> BookedAmountColumns = {ColEinnahmen1, ColEinnahmen2, ColEinnahmen3, ColAusgaben};
} // namespace

std::optional<QStringList> reversalRow(const FlexGridStore &sheet, int row, const QDate &today)
{
    if (row < FirstEntryRow || row >= sheet.rows())
        return std::nullopt;
    QStringList cells(ColCount);
    bool anyAmount = false;
    for (int c : BookedAmountColumns) {
        const qint64 cents = centsOf(sheet.textMatrix(row, c));
        if (cents == 0)
            continue;
        cells[c] = German::formatCents(-cents);
        anyAmount = true;
    }
    if (!anyAmount)
        return std::nullopt;
    cells[ColKonto] = sheet.textMatrix(row, ColKonto).trimmed();
    cells[ColDatum] = today.toString(QStringLiteral("dd.MM.yyyy"));
    const QString receipt = sheet.textMatrix(row, ColBeleg).trimmed();
    QString text = QStringLiteral("Storno Beleg ") + (receipt.isEmpty() ? QStringLiteral("ohne Nr.") : receipt);
    if (const QString date = sheet.textMatrix(row, ColDatum).trimmed(); !date.isEmpty())
        text += QStringLiteral(" vom ") + date;
    cells[ColText] = text;
    return cells;
}

int appendEntry(FlexGridStore &sheet, const QStringList &cells)
{
    int row = FirstEntryRow;
    for (int r = FirstEntryRow; r < sheet.rows(); ++r) {
        if (holdsEntry(sheet, r))
            row = r + 1;
    }
    // The row written is an entry row: an empty new-entry row stays below it.
    if (sheet.rows() < row + 2)
        sheet.setRows(row + 2);
    for (int c = 0; c < sheet.cols(); ++c)
        sheet.setTextMatrix(row, c, cells.value(c));
    return row;
}

} // namespace modul
