#include "exports/YearFiles.h"

#include "books/MonthStorage.h"
#include "editing/Modul.h"
#include "platform/FileSystem.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthPath.h"

#include <QVarLengthArray>

#include <algorithm>

namespace YearFiles {
namespace {
QString monthFile(const QString &programFolder, int year, int month)
{
    return monthFilePath(programFolder, QString::number(year), QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')))
        .path;
}

// An amount field's cents as the sheet reads its text; a stored blank reads 0.
qint64 centsOf(QUtf8StringView utf8)
{
    constexpr qsizetype ShortField = 64;
    QVarLengthArray<char16_t, ShortField> text;
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return modul::centsOf(QString::fromUtf8(utf8.data(), utf8.size()));
        text.append(static_cast<char16_t>(c));
    }
    return modul::centsOf(QStringView(text.constData(), text.size()));
}

qint64 clampSheet(qint64 cents)
{
    return std::clamp(cents, -modul::MaxSheetCents, modul::MaxSheetCents);
}

// The sheet's rules over the records as they come: record 0 is the rates
// row, record 1 the carry-over row, every later one an entry row, whose
// balance follows the one above. Rows the sheet adds below the records
// are empty and change nothing.
class TotalsWalk
{
public:
    TotalsWalk()
    {
        m_totals.summed = true;
        m_totals.rates = modul::defaultRateTexts();
    }

    void record(const QUtf8StringView *fields)
    {
        const int index = m_records++;
        if (index == 0) {
            // A blank stands for an empty cell.
            for (int c = 0; c < modul::RateCount; ++c) {
                const QUtf8StringView rate = fields[modul::ColEinnahmen1 + c];
                m_totals.rates[static_cast<size_t>(c)] =
                    QAnyStringView::equal(rate, JournalTable::blankCell()) ? QString() : QString::fromUtf8(rate.data(), rate.size());
            }
            return;
        }
        std::array<qint64, modul::RateCount> income{};
        for (int c = 0; c < modul::RateCount; ++c)
            income[static_cast<size_t>(c)] = centsOf(fields[modul::ColEinnahmen1 + c]);
        qint64 expense = centsOf(fields[modul::ColAusgaben]);
        if (index == 1) {
            m_balance = centsOf(fields[modul::ColBestand]);
            m_totals.carryOver = m_balance;
        } else {
            // Income at the second rate, or a positive amount at the third,
            // makes the row an income row: it carries no expense.
            if (income[1] != 0 || income[2] > 0)
                expense = 0;
            m_balance = clampSheet(m_balance + income[0] + income[1] + income[2] - expense);
        }
        for (size_t c = 0; c < modul::RateCount; ++c)
            m_totals.income[c] = clampSheet(m_totals.income[c] + income[c]);
        m_totals.expenses = clampSheet(m_totals.expenses + expense);
    }

    modul::MonthTotals totals()
    {
        // The sheet always has an entry row above the new-entry row.
        m_totals.closingBalance = m_balance;
        return m_totals;
    }

private:
    modul::MonthTotals m_totals;
    int m_records = 0;
    qint64 m_balance = 0;
};
} // namespace

namespace {
// The twelve months numbered, and each whose file is there read.
template <typename MonthFile, typename Read>
std::array<MonthFile, MonthCount> eachMonth(const QString &programFolder, int year, Read read)
{
    std::array<MonthFile, MonthCount> months;
    for (int m = 1; m <= MonthCount; ++m) {
        MonthFile &month = months[static_cast<size_t>(m - 1)];
        month.month = m;
        const QString path = monthFile(programFolder, year, m);
        month.present = FileExists(path);
        if (month.present)
            read(month, path);
    }
    return months;
}
} // namespace

std::array<Month, MonthCount> read(const QString &programFolder, int year)
{
    return eachMonth<Month>(programFolder, year, [](Month &month, const QString &path) {
        // The sheet's shape: the two heading rows fixed, ten columns.
        month.sheet = FlexGridStore(modul::FirstEntryRow + 2, modul::ColCount, modul::RowUebertrag, 0);
        // A month file without records has no rates of its own to show.
        const DbStatus status =
            MonthStorage::GetRowsTest(month.sheet, path, JournalTable::tableName(), modul::defaultRateTexts());
        if (!status.ok())
            month.problem = status.report();
        else
            modul::BestandBerechnen(month.sheet);
    });
}

std::array<Totals, MonthCount> readTotals(const QString &programFolder, int year)
{
    return eachMonth<Totals>(programFolder, year, [](Totals &month, const QString &path) {
        TotalsWalk walk;
        const DbStatus status = MonthDatabase::readJournalFields(
            path, modul::ColBestand + 1, [&walk](const QUtf8StringView *fields) { walk.record(fields); });
        if (!status.ok())
            month.problem = status.report();
        else
            month.totals = walk.totals();
    });
}

} // namespace YearFiles
