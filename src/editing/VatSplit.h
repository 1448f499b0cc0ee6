#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

// The tax in a gross income. The sheet keeps income gross, by rate column;
// the VAT return needs it as net and tax, so both are derived here in whole
// cents.
namespace modul {

// A tax rate in hundredths of a percent: "19%" is 1900, "5,5 %" is 550.
constexpr int RateScale = 100;
constexpr int MaxRateHundredths = 100 * RateScale;

// The rate a rate text names, as row 1 of the sheet holds it: a number
// with at most two decimals after the comma, blanks and one "%" after it
// allowed ("19%", "7 %", "5,5%", "0"). Text that names no rate from 0 to
// 100 % gives nothing.
std::optional<int> rateOf(QStringView text);

struct VatSplit
{
    qint64 net = 0;
    qint64 vat = 0;
};

// VAT = gross x rate / (100 + rate), rounded half up to the cent (a negative
// gross splits as the mirror of its positive amount); net = gross - VAT, so
// that the two add up to the gross exactly.
VatSplit splitGross(qint64 grossCents, int rateHundredths);

} // namespace modul
