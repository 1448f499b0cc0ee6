#include "books/CashCount.h"

#include "editing/GermanNumbers.h"
#include "editing/Modul.h"
#include "editing/VatSplit.h"

#include <QDateTime>

namespace CashCount {
namespace {
constexpr qint64 CentsPerEuro = 100;
// More digits than this can never be a count, whatever their value.
constexpr int MaxDigits = 18;

QString refused(QStringView text)
{
    return QStringLiteral("„%1“ ist keine gültige Anzahl. Bitte eine ganze Zahl von 0 bis 99.999 eingeben.")
        .arg(text.trimmed());
}

// Whether the log entry wrote an amount (income or expense) of an entry row.
bool writesBooking(const ChangeLog::Entry &e)
{
    return e.row >= modul::FirstEntryRow && e.column >= modul::ColEinnahmen1 && e.column <= modul::ColAusgaben;
}

bool recordHoldsAmount(const Record &record)
{
    for (int c = modul::ColEinnahmen1; c <= modul::ColAusgaben && c < record.size(); ++c) {
        if (modul::centsOf(record.at(c)) != 0)
            return true;
    }
    return false;
}
} // namespace

QString denominationLabel(int index)
{
    if (index < 0 || index >= DenominationCount)
        return {};
    const qint64 cents = denominations[static_cast<size_t>(index)];
    return cents >= CentsPerEuro ? QStringLiteral("%1 €").arg(cents / CentsPerEuro)
                                 : QStringLiteral("%1 ct").arg(cents);
}

std::optional<int> parsePieces(QStringView text, QString *problem)
{
    if (text.trimmed().isEmpty())
        return 0;
    const std::optional<German::NumberParts> parts = German::splitNumber(text);
    qint64 value = 0;
    bool whole = parts && !parts->negative && parts->fraction.isEmpty();
    int digits = 0;
    if (whole) {
        for (const QChar c : parts->integer) {
            if (!German::isDigit(c))
                continue;
            value = value * 10 + (c.unicode() - u'0');
            if (value > 0 && ++digits > MaxDigits)
                break;
        }
    }
    if (!whole || digits > MaxDigits || value > MaxPieces) {
        if (problem != nullptr)
            *problem = refused(text);
        return std::nullopt;
    }
    return static_cast<int>(value);
}

qint64 rowSum(int index, int pieces)
{
    if (index < 0 || index >= DenominationCount)
        return 0;
    return denominations[static_cast<size_t>(index)] * pieces;
}

qint64 total(const Tally &pieces)
{
    qint64 sum = 0;
    for (int i = 0; i < DenominationCount; ++i)
        sum += rowSum(i, pieces[static_cast<size_t>(i)]);
    return sum;
}

Count taken(const Tally &pieces, qint64 bookBalance, const QString &countedBy, const QString &note, const QString &time)
{
    Count c;
    c.time = time;
    c.countedBy = countedBy;
    c.note = note;
    c.bookBalance = bookBalance;
    c.pieces = pieces;
    c.counted = total(pieces);
    c.difference = c.counted - bookBalance;
    return c;
}

int surplusColumn(int choice, const modul::RateTexts &rates)
{
    if (choice >= 1 && choice <= modul::RateCount)
        return modul::ColEinnahmen1 + choice - 1;
    for (int c = 0; c < modul::RateCount; ++c) {
        if (modul::rateOf(rates[static_cast<size_t>(c)]) == 0)
            return modul::ColEinnahmen1 + c;
    }
    return modul::ColEinnahmen1;
}

QString bookingText(const QString &countTime)
{
    const QDateTime moment = QDateTime::fromString(countTime, Qt::ISODateWithMs);
    return QStringLiteral("Kassendifferenz lt. Zählung ") + moment.toString(QStringLiteral("dd.MM. HH:mm"));
}

std::optional<QStringList> differenceRow(const Count &count, int column, const DifferenceAccounts &accounts,
                                         const QDate &today)
{
    if (count.difference == 0)
        return std::nullopt;
    QStringList cells(modul::ColCount);
    const bool shortage = count.difference < 0;
    cells[shortage ? modul::ColAusgaben : column] =
        German::formatCents(shortage ? -count.difference : count.difference);
    cells[modul::ColKonto] = shortage ? accounts.shortage : accounts.surplus;
    cells[modul::ColDatum] = today.toString(QStringLiteral("dd.MM.yyyy"));
    cells[modul::ColText] = bookingText(count.time);
    return cells;
}

bool uncountedSinceLastBooking(const MonthContents &month)
{
    // Record i is sheet row i + 1.
    bool hasEntries = false;
    for (size_t i = modul::FirstEntryRow - 1; i < month.records.size() && !hasEntries; ++i)
        hasEntries = recordHoldsAmount(month.records[i]);
    if (!hasEntries)
        return false;
    if (month.counts.empty())
        return true;
    const Count &last = month.counts.back();
    const QString differenceText = bookingText(last.time);
    for (const ChangeLog::Entry &e : month.log) {
        if (e.number < last.number || !writesBooking(e))
            continue;
        const auto index = static_cast<size_t>(e.row - 1);
        const bool bookedDifference =
            index < month.records.size() && month.records[index].value(modul::ColText).trimmed() == differenceText;
        if (!bookedDifference)
            return true;
    }
    return false;
}

QString uncountedNote()
{
    return QStringLiteral("Für diesen Monat gibt es keine Kassenzählung nach der letzten Buchung");
}

} // namespace CashCount
