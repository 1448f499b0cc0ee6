#include "editing/Storno.h"

#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

namespace modul {
namespace {
constexpr std::array<int, 4> BookedAmountColumns = {ColEinnahmen1, ColEinnahmen2, ColEinnahmen3, ColAusgaben};

bool rowIsEmpty(const FlexGridStore &sheet, int row)
{
    for (int c = 0; c < sheet.cols(); ++c) {
        if (!sheet.textMatrix(row, c).trimmed().isEmpty())
            return false;
    }
    return true;
}
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
    QString text = QStringLiteral("Storno Beleg ") + sheet.textMatrix(row, ColBeleg).trimmed();
    if (const QString date = sheet.textMatrix(row, ColDatum).trimmed(); !date.isEmpty())
        text += QStringLiteral(" vom ") + date;
    cells[ColText] = text;
    return cells;
}

int appendEntry(FlexGridStore &sheet, const QStringList &cells)
{
    if (sheet.rows() <= FirstEntryRow)
        sheet.setRows(FirstEntryRow + 1);
    if (!rowIsEmpty(sheet, sheet.rows() - 1))
        sheet.setRows(sheet.rows() + 1);
    const int row = sheet.rows() - 1;
    for (int c = 0; c < sheet.cols() && c < cells.size(); ++c)
        sheet.setTextMatrix(row, c, cells.at(c));
    sheet.setRows(sheet.rows() + 1);
    return row;
}

} // namespace modul
