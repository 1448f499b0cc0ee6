#include "exports/VatReturn.h"

#include "editing/GermanNumbers.h"

namespace VatReturn {
namespace {
// Where the form puts what, checked against:
// - the form itself (BMF, "Umsatzsteuer-Voranmeldung 2011", USt 1 A; copy at
//   de.scribd.com/document/51287053): "Bemessungsgrundlage ohne Umsatzsteuer
//   – volle EUR" beside "Steuer – EUR Ct"; Kz 81 "zum Steuersatz von 19 %";
//   Kz 48 "Steuerfreie Umsätze ohne Vorsteuerabzug – Umsätze nach § 4 Nr. 8
//   bis 28 UStG" (today "bis 29"); Kz 43 the tax-free sales with input tax
//   deduction (exports);
// - Microsoft's "Umsatzsteuererklärung für Deutschland" (learn.microsoft.com,
//   finance/localizations/emea-de-vat-declaration): Kz 81 and Kz 86 are the
//   bases at 19 % and 7 %; their tax has no Kennzahl of its own and goes into
//   the total (Kz 83); other rates are Kz 35/36;
// - ELSTER's own help (elster.de, help_ustva) for the lines of the tax-free
//   sales (Zeile 20 Feld 41, Zeile 23 Feld 43).
// Since the tax has no field, the office reckons it from the whole-euro base.
constexpr int Rate81 = 1900;
constexpr int Rate86 = 700;
constexpr int TaxFreeRate = 0;
constexpr qint64 CentsPerEuro = 100;
constexpr int MonthsPerQuarter = 3;

struct Sums
{
    bool any = false;
    qint64 net81 = 0;
    qint64 net86 = 0;
    qint64 taxFree = 0;
    std::vector<std::optional<YearOverview::Amounts>> apart;
};

bool onTheForm(const YearOverview::RateColumn &rate)
{
    return rate.rate == Rate81 || rate.rate == Rate86 || rate.rate == TaxFreeRate;
}

void add(std::optional<YearOverview::Amounts> &sum, const YearOverview::Amounts &a)
{
    sum = sum.value_or(YearOverview::Amounts{});
    sum->gross += a.gross;
    sum->net += a.net;
    sum->vat += a.vat;
}

void add(Sums &sum, const Sums &month)
{
    sum.any = sum.any || month.any;
    sum.net81 += month.net81;
    sum.net86 += month.net86;
    sum.taxFree += month.taxFree;
    sum.apart.resize(month.apart.size());
    for (size_t i = 0; i < month.apart.size(); ++i) {
        if (month.apart[i])
            add(sum.apart[i], *month.apart[i]);
    }
}

Sums monthSums(const YearOverview::Overview &o, const YearOverview::Month &m)
{
    Sums s;
    s.any = m.loaded;
    for (size_t i = 0; i < o.rates.size(); ++i) {
        const std::optional<YearOverview::Amounts> &a = m.loaded ? m.income[i] : std::nullopt;
        if (!onTheForm(o.rates[i])) {
            s.apart.push_back(a);
            continue;
        }
        if (!a)
            continue;
        if (o.rates[i].rate == Rate81)
            s.net81 += a->net;
        else if (o.rates[i].rate == Rate86)
            s.net86 += a->net;
        else
            s.taxFree += a->gross;
    }
    return s;
}

// The form's figures: the cents of each base cut off, the tax reckoned from the base.
Figures figures(const Sums &s)
{
    Figures f;
    f.any = s.any;
    f.base81 = s.net81 / CentsPerEuro;
    f.tax81 = f.base81 * Rate81 / CentsPerEuro;
    f.base86 = s.net86 / CentsPerEuro;
    f.tax86 = f.base86 * Rate86 / CentsPerEuro;
    f.taxFree = s.taxFree / CentsPerEuro;
    f.apart = s.apart;
    return f;
}

QString euros(qint64 whole)
{
    QString text = German::formatCents(whole * CentsPerEuro);
    text.chop(3); // ",00"
    return text;
}
} // namespace

Return compute(const YearOverview::Overview &o)
{
    Return r;
    r.year = o.year;
    for (const YearOverview::RateColumn &rate : o.rates) {
        if (!onTheForm(rate))
            r.apart.push_back(rate);
    }
    Sums quarter;
    for (size_t i = 0; i < o.months.size(); ++i) {
        const Sums month = monthSums(o, o.months[i]);
        r.periods.push_back({YearOverview::monthName(o.months[i].month), false, figures(month)});
        add(quarter, month);
        if ((i + 1) % MonthsPerQuarter == 0) {
            r.periods.push_back(
                {QStringLiteral("%1. Quartal").arg((i + 1) / MonthsPerQuarter), true, figures(quarter)});
            quarter = Sums{};
        }
    }
    r.notes << QStringLiteral("Bemessungsgrundlagen in vollen Euro, die Cent abgeschnitten; die Steuer ist die "
                              "Bemessungsgrundlage mal Steuersatz.")
            << QStringLiteral("Kz 48: die Einnahmen zu 0 % als steuerfreie Umsätze ohne Vorsteuerabzug (§ 4 Nr. 8 "
                              "bis 29 UStG); steuerfreie Umsätze mit Vorsteuerabzug, etwa Ausfuhren, gehören in "
                              "Kz 43.");
    for (const YearOverview::RateColumn &rate : r.apart) {
        r.notes << (rate.rate ? QStringLiteral("„%1“: diesen Steuersatz kennt die Voranmeldung nicht; seine "
                                               "Einnahmen stehen unter keiner Kennzahl.")
                              : QStringLiteral("„%1“ nennt keinen Steuersatz; diese Einnahmen stehen unter keiner "
                                               "Kennzahl."))
                       .arg(rate.label);
    }
    return r;
}

QList<QStringList> table(const Return &r)
{
    QStringList head{QStringLiteral("Zeitraum"),    QStringLiteral("19 % (Kz 81)"), QStringLiteral("19 % (Kz 81)"),
                     QStringLiteral("7 % (Kz 86)"), QStringLiteral("7 % (Kz 86)"),  QStringLiteral("0 % (Kz 48)")};
    QStringList parts{QString(),
                      QStringLiteral("Bemessungsgr."),
                      QStringLiteral("Steuer"),
                      QStringLiteral("Bemessungsgr."),
                      QStringLiteral("Steuer"),
                      QStringLiteral("steuerfrei")};
    for (const YearOverview::RateColumn &rate : r.apart) {
        if (rate.rate) {
            head << rate.label << rate.label;
            parts << QStringLiteral("Netto") << QStringLiteral("USt");
        } else {
            head << rate.label;
            parts << QStringLiteral("Brutto");
        }
    }
    QList<QStringList> rows{head, parts};
    for (const Period &p : r.periods) {
        const Figures &f = p.figures;
        QStringList row{p.label};
        if (!f.any) {
            row.resize(head.size());
            rows << row;
            continue;
        }
        row << euros(f.base81) << German::formatCents(f.tax81) << euros(f.base86) << German::formatCents(f.tax86)
            << euros(f.taxFree);
        for (size_t i = 0; i < r.apart.size(); ++i) {
            const std::optional<YearOverview::Amounts> &a = i < f.apart.size() ? f.apart[i] : std::nullopt;
            if (r.apart[i].rate)
                row << (a ? German::formatCents(a->net) : QString()) << (a ? German::formatCents(a->vat) : QString());
            else
                row << (a ? German::formatCents(a->gross) : QString());
        }
        rows << row;
    }
    return rows;
}

} // namespace VatReturn
