#include "editing/NegativeCash.h"

#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

namespace modul {

std::optional<NegativeRow> firstNegativeRow(const FlexGridStore &sheet)
{
    // The new-entry row carries no balance of its own.
    for (int r = RowUebertrag; r <= sheet.rows() - 2; ++r) {
        const qint64 balance = centsOf(sheet.textMatrix(r, ColBestand));
        if (balance < 0)
            return NegativeRow{r, sheet.textMatrix(r, ColBeleg).trimmed(), sheet.textMatrix(r, ColDatum).trimmed(),
                               balance};
    }
    return std::nullopt;
}

QString negativeCashQuestion(const NegativeRow &row)
{
    const QString br = QStringLiteral("\r\n");
    QString where;
    if (row.row == RowUebertrag)
        where = QStringLiteral("Schon der Übertrag ist negativ");
    else
        where = QStringLiteral("Nach Beleg-Nr %1 vom %2 ist der Kassenbestand negativ")
                    .arg(row.receipt.isEmpty() ? QStringLiteral("(ohne Nummer)") : row.receipt,
                         row.date.isEmpty() ? QStringLiteral("(ohne Datum)") : row.date);
    return where + QStringLiteral(": ") + German::formatCents(row.balance) + QLatin1Char('.') + br + br
           + QStringLiteral("Ein Kassenbestand kann nie unter null liegen; meist fehlt eine Einnahme, oder eine "
                            "Buchung ist falsch.")
           + br + br + QStringLiteral("Trotzdem speichern ?");
}

} // namespace modul
