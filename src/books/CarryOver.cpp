#include "books/CarryOver.h"

#include "editing/GermanNumbers.h"
#include "editing/Modul.h"
#include "editing/MonthTotals.h"
#include "platform/FlexGridStore.h"
#include "storage/SheetRecords.h"

namespace CarryOver {
namespace {
constexpr int YearDigits = 4;
constexpr int MonthsPerYear = 12;
} // namespace

std::optional<Month> previousMonth(const QString &year, const QString &month)
{
    bool yearOk = false;
    bool monthOk = false;
    const int y = year.toInt(&yearOk);
    const int m = month.toInt(&monthOk);
    if (!yearOk || !monthOk || year.size() != YearDigits || month.size() != 2 || m < 1 || m > MonthsPerYear)
        return std::nullopt;
    if (m == 1)
        return Month{QString::number(y - 1), QStringLiteral("12")};
    return Month{year, QStringLiteral("%1").arg(m - 1, 2, 10, QLatin1Char('0'))};
}

Closing closingOf(const Records &records, const modul::RateTexts &rates)
{
    FlexGridStore sheet(1, modul::ColCount, 1, 0);
    SheetRecords::load(sheet, records, rates);
    modul::BestandBerechnen(sheet);
    const modul::MonthTotals totals = modul::MonthTotals::of(sheet);
    Closing closing{totals.closingBalance.value_or(totals.carryOver), {}};
    for (int r = sheet.rows() - 1; r >= modul::RowUebertrag; --r) {
        if (r == modul::RowUebertrag || modul::holdsEntry(sheet, r)) {
            closing.receipt = sheet.textMatrix(r, modul::ColBeleg).trimmed();
            break;
        }
    }
    return closing;
}

void startMonth(FlexGridStore &sheet, const Closing &closing, const QString &fromLabel, const modul::RateTexts &rates)
{
    SheetRecords::load(sheet, {}, rates);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBestand, German::formatCents(closing.balance));
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColBeleg, closing.receipt);
    sheet.setTextMatrix(modul::RowUebertrag, modul::ColText, QStringLiteral("Übertrag aus ") + fromLabel);
}

QString mismatchMessage(const QString &label, qint64 carryOver, const QString &previousLabel, qint64 closing)
{
    return QStringLiteral("Der Übertrag von %1 (%2) stimmt nicht mit dem Endbestand von %3 (%4) überein.\r\n\r\n"
                          "Bitte den Übertrag prüfen: ein Monat beginnt mit dem Bestand, mit dem der Vormonat endet.")
        .arg(label, German::formatCents(carryOver), previousLabel, German::formatCents(closing));
}

} // namespace CarryOver
