#pragma once

#include "exports/YearOverview.h"

#include <QStringList>

#include <optional>
#include <vector>

// The figures of the VAT return (Umsatzsteuer-Voranmeldung) for each month
// and each quarter, from the year overview's sums of the month:
// - Kz 81: the net base of the income at 19 %, Kz 86: that at 7 %, each in
//   whole euros with the cents cut off, and the tax the form reckons from
//   the base (base x rate, in cents);
// - Kz 48: the income at 0 % as tax-free sales, whole euros;
// - every other rate, and rate texts that name none, apart and under no
//   Kennzahl, with a note; their amounts stay exact to the cent.
// A quarter adds up its months' net amounts before it cuts the cents.
namespace VatReturn {

struct Figures
{
    bool any = false;   // a month of the period was read; else every figure is empty
    qint64 base81 = 0;  // whole euros
    qint64 tax81 = 0;   // cents
    qint64 base86 = 0;  // whole euros
    qint64 tax86 = 0;   // cents
    qint64 taxFree = 0; // whole euros
    std::vector<std::optional<YearOverview::Amounts>> apart; // per apart column, cents
};

struct Period
{
    QString label; // "Januar" … "Dezember", "1. Quartal" … "4. Quartal"
    bool quarter = false;
    Figures figures;
};

struct Return
{
    int year = 0;
    std::vector<YearOverview::RateColumn> apart; // the rates the form has no line for
    std::vector<Period> periods;                 // each quarter after its three months
    QStringList notes;                           // how to read the figures, and why a column stands apart
};

Return compute(const YearOverview::Overview &overview);

// Two heading rows (the Kennzahl over "Bemessungsgr." and "Steuer"), a row
// per period. Bases as whole euros ("1.234"), taxes and amounts apart to
// the cent; a period without a read month stays empty.
QList<QStringList> table(const Return &vatReturn);
constexpr int HeadingRows = 2;

} // namespace VatReturn
