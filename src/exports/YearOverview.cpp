#include "exports/YearOverview.h"

#include "editing/GermanNumbers.h"
#include "editing/MonthTotals.h"
#include "editing/VatSplit.h"

#include <algorithm>

namespace YearOverview {
namespace {
const std::array<const char16_t *, YearFiles::MonthCount> MonthNames = {
    u"Januar", u"Februar", u"März",      u"April",   u"Mai",      u"Juni",
    u"Juli",   u"August",  u"September", u"Oktober", u"November", u"Dezember"};

QString rateLabel(int hundredths)
{
    QString label = QString::number(hundredths / modul::RateScale);
    if (const int fraction = hundredths % modul::RateScale; fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
        if (decimals.endsWith(u'0'))
            decimals.chop(1);
        label += u',' + decimals;
    }
    return label + u'%';
}

RateColumn columnOf(const QString &rateText)
{
    if (const std::optional<int> rate = modul::rateOf(rateText))
        return {rateLabel(*rate), rate};
    return {rateText.trimmed(), std::nullopt};
}

bool sameColumn(const RateColumn &a, const RateColumn &b)
{
    return a.rate == b.rate && (a.rate || a.label == b.label);
}

// Every rate any month was recorded under, known rates highest first, then
// the texts that name none in the order they turn up.
std::vector<RateColumn> rateColumns(const std::array<YearFiles::Totals, YearFiles::MonthCount> &files)
{
    std::vector<RateColumn> columns;
    for (const YearFiles::Totals &file : files) {
        if (!file.loaded())
            continue;
        for (int c = 0; c < modul::RateCount; ++c) {
            const RateColumn column = columnOf(file.totals.rates[static_cast<size_t>(c)]);
            if (std::none_of(columns.cbegin(), columns.cend(),
                             [&column](const RateColumn &known) { return sameColumn(known, column); }))
                columns.push_back(column);
        }
    }
    std::stable_sort(columns.begin(), columns.end(), [](const RateColumn &a, const RateColumn &b) {
        return a.rate.has_value() && (!b.rate.has_value() || *a.rate > *b.rate);
    });
    return columns;
}

size_t indexOf(const std::vector<RateColumn> &columns, const RateColumn &column)
{
    return static_cast<size_t>(
        std::find_if(columns.cbegin(), columns.cend(), [&column](const RateColumn &c) { return sameColumn(c, column); })
        - columns.cbegin());
}

QString amount(qint64 cents)
{
    return German::formatCents(cents);
}
} // namespace

QString monthName(int month)
{
    return QString::fromUtf16(MonthNames.at(static_cast<size_t>(month - 1)));
}

Overview compute(int year, const std::array<YearFiles::Totals, YearFiles::MonthCount> &files)
{
    Overview o;
    o.year = year;
    o.rates = rateColumns(files);
    o.yearIncome.resize(o.rates.size());
    for (const YearFiles::Totals &file : files) {
        Month month;
        month.month = file.month;
        month.loaded = file.loaded();
        month.income.resize(o.rates.size());
        if (!file.problem.isEmpty())
            o.problems << QStringLiteral("%1: %2").arg(monthName(file.month), file.problem);
        if (month.loaded) {
            const modul::MonthTotals &totals = file.totals;
            // Columns of the same rate add up before the split, so the
            // month's VAT is that of its whole income at the rate.
            for (int c = 0; c < modul::RateCount; ++c) {
                const size_t i = indexOf(o.rates, columnOf(totals.rates[static_cast<size_t>(c)]));
                month.income[i] = month.income[i].value_or(Amounts{});
                month.income[i]->gross += totals.income[static_cast<size_t>(c)];
            }
            for (size_t i = 0; i < o.rates.size(); ++i) {
                if (!month.income[i])
                    continue;
                Amounts &a = *month.income[i];
                if (o.rates[i].rate) {
                    const modul::VatSplit split = modul::splitGross(a.gross, *o.rates[i].rate);
                    a.net = split.net;
                    a.vat = split.vat;
                }
                o.yearIncome[i].gross += a.gross;
                o.yearIncome[i].net += a.net;
                o.yearIncome[i].vat += a.vat;
            }
            month.expenses = totals.expenses;
            month.closingBalance = totals.closingBalance;
            o.yearExpenses += totals.expenses;
            if (totals.closingBalance)
                o.yearClosingBalance = totals.closingBalance;
        }
        o.months.push_back(std::move(month));
    }
    return o;
}

QList<QStringList> table(const Overview &o)
{
    // "Einnahmen" over each rate's three parts, as the sheet heads its rates.
    QStringList head{QStringLiteral("Monat")};
    QStringList parts{QString()};
    for (const RateColumn &rate : o.rates) {
        for (const char16_t *part : {u"Brutto", u"Netto", u"USt"}) {
            head << QStringLiteral("Einnahmen");
            parts << QStringLiteral("%1 %2").arg(QString::fromUtf16(part), rate.label);
        }
    }
    head << QStringLiteral("Ausgaben") << QStringLiteral("Bestand");
    parts << QString() << QString();
    QList<QStringList> rows{head, parts};

    const auto incomeCells = [&o](QStringList &row, size_t i, const std::optional<Amounts> &a) {
        const bool split = a && o.rates[i].rate.has_value();
        row << (a ? amount(a->gross) : QString()) << (split ? amount(a->net) : QString())
            << (split ? amount(a->vat) : QString());
    };
    bool anyLoaded = false;
    for (const Month &m : o.months) {
        QStringList row{monthName(m.month)};
        for (size_t i = 0; i < o.rates.size(); ++i)
            incomeCells(row, i, m.loaded ? m.income[i] : std::nullopt);
        row << (m.loaded ? amount(m.expenses) : QString())
            << (m.closingBalance ? amount(*m.closingBalance) : QString());
        rows << row;
        anyLoaded = anyLoaded || m.loaded;
    }
    QStringList yearRow{QStringLiteral("Jahr %1").arg(o.year)};
    for (size_t i = 0; i < o.rates.size(); ++i)
        incomeCells(yearRow, i, o.yearIncome[i]);
    yearRow << (anyLoaded ? amount(o.yearExpenses) : QString())
            << (o.yearClosingBalance ? amount(*o.yearClosingBalance) : QString());
    rows << yearRow;
    return rows;
}

} // namespace YearOverview
