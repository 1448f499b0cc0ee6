#pragma once

#include "exports/YearFiles.h"

#include <QStringList>

#include <optional>
#include <vector>

// The year at a glance for the VAT return: per month the income of each
// tax rate as gross, net and VAT, the expenses and the closing balance,
// and the year's sums. The rates are those each month was recorded under
// (its row 1), grouped by value across the year, highest first.
namespace YearOverview {

struct RateColumn
{
    QString label;           // "19%", "5,5%"; a rate text that names no rate stands as it is
    std::optional<int> rate; // hundredths of a percent; none when the text names no rate
};

struct Amounts
{
    qint64 gross = 0;
    qint64 net = 0; // net and VAT only where the rate is known
    qint64 vat = 0;
};

struct Month
{
    int month = 0;
    bool loaded = false;                        // a file was there and read; else every amount is empty
    std::vector<std::optional<Amounts>> income; // per rate column; none where the month has no such rate
    qint64 expenses = 0;
    std::optional<qint64> closingBalance;
};

struct Overview
{
    int year = 0;
    std::vector<RateColumn> rates;
    std::vector<Month> months;       // January to December
    std::vector<Amounts> yearIncome; // per rate column, the sum of the months
    qint64 yearExpenses = 0;
    std::optional<qint64> yearClosingBalance; // the last read month's
    QStringList problems;                     // months whose file could not be read
};

Overview compute(int year, const std::array<YearFiles::Totals, YearFiles::MonthCount> &months);
inline Overview read(const QString &programFolder, int year)
{
    return compute(year, YearFiles::readTotals(programFolder, year));
}

// The overview as a table: two heading rows ("Einnahmen" over "Brutto 19%",
// "Netto 19%", "USt 19%" and so on), a row per month, the year row.
// Amounts in the sheet's display form; what a month lacks stays empty.
QList<QStringList> table(const Overview &overview);
constexpr int HeadingRows = 2;

QString monthName(int month); // "Januar" … "Dezember"

} // namespace YearOverview
