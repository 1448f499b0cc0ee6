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

QString reversalQuestion(const FlexGridStore &sheet, int row)
{
    const QString receipt = sheet.textMatrix(row, ColBeleg).trimmed();
    const QString date = sheet.textMatrix(row, ColDatum).trimmed();
    QStringList amounts;
    for (int c : BookedAmountColumns) {
        if (centsOf(sheet.textMatrix(row, c)) == 0)
            continue;
        // An income is named with its rate, as the heading above it shows.
        const QString rate = c == ColAusgaben ? QString() : sheet.textMatrix(RowRates, c).trimmed();
        amounts << (heading(c) + (rate.isEmpty() ? QString() : u' ' + rate) + u' '
                    + sheet.textMatrix(row, c).trimmed());
    }
    return QStringLiteral("Soll die Buchung %1 %2 (%3) storniert werden ?")
        .arg(receipt.isEmpty() ? QStringLiteral("ohne Beleg-Nr.") : QStringLiteral("Beleg-Nr. ") + receipt,
             date.isEmpty() ? QStringLiteral("ohne Datum") : QStringLiteral("vom ") + date,
             amounts.join(QStringLiteral(", ")));
}

int nextEntryRow(const FlexGridStore &sheet)
{
    int row = FirstEntryRow;
    for (int r = FirstEntryRow; r < sheet.rows(); ++r) {
        if (holdsEntry(sheet, r))
            row = r + 1;
    }
    return row;
}

int appendEntry(FlexGridStore &sheet, const QStringList &cells)
{
    const int row = nextEntryRow(sheet);
    // The row written is an entry row: an empty new-entry row stays below it.
    if (sheet.rows() < row + 2)
        sheet.setRows(row + 2);
    for (int c = 0; c < sheet.cols(); ++c)
        sheet.setTextMatrix(row, c, cells.value(c));
    return row;
}

} // namespace modul
