#include "editing/VatSplit.h"

#include "editing/GermanNumbers.h"

#include <algorithm>

namespace modul {

std::optional<int> rateOf(QStringView text)
{
    QStringView number = text.trimmed();
    if (number.endsWith(u'%'))
        number.chop(1);
    const std::optional<German::NumberParts> parts = German::splitNumber(number);
    if (!parts || parts->negative || parts->fraction.size() > 2)
        return std::nullopt;
    int rate = 0;
    for (const QChar c : parts->integer) {
        if (German::isDigit(c))
            rate = std::min(rate * 10 + (c.unicode() - u'0'), MaxRateHundredths + 1);
    }
    const auto decimal = [&parts](qsizetype i) {
        return i < parts->fraction.size() ? parts->fraction[i].unicode() - u'0' : 0;
    };
    rate = rate * RateScale + decimal(0) * 10 + decimal(1);
    if (rate > MaxRateHundredths)
        return std::nullopt;
    return rate;
}

VatSplit splitGross(qint64 grossCents, int rateHundredths)
{
    const qint64 rate = std::clamp(rateHundredths, 0, MaxRateHundredths);
    const qint64 divisor = 100 * RateScale + rate;
    const qint64 magnitude = grossCents < 0 ? -grossCents : grossCents;
    // gross x rate would overflow for the largest sheet amounts, so the
    // quotient and the remainder are taken apart; the remainder's share
    // carries the rounding: floor(x + 1/2) = floor((2 rem rate + d) / 2d).
    const qint64 whole = magnitude / divisor;
    const qint64 rest = magnitude % divisor;
    qint64 vat = whole * rate + (2 * rest * rate + divisor) / (2 * divisor);
    if (grossCents < 0)
        vat = -vat;
    return {grossCents - vat, vat};
}

} // namespace modul
