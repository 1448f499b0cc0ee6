#include "editing/GermanNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace German {
namespace {

QStringView trimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

qsizetype digitRun(QStringView s, qsizetype from)
{
    qsizetype i = from;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i - from;
}

// The digits of text (dots skipped) appended to an ASCII number.
void appendDigits(std::string &out, QStringView text)
{
    for (QChar c : text) {
        if (isDigit(c))
            out.push_back(static_cast<char>(c.unicode()));
    }
}

bool hasNonZeroDigit(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
}

// Reads "[-]digits[.digits]". from_chars is exact and ignores the locale.
// A value out of range is either too large (nothing) or too small (0); the
// integer digits tell which.
std::optional<double> asciiToDouble(const std::string &ascii, bool integerNonZero)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range)
        return integerNonZero ? std::nullopt : std::optional<double>(0.0);
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value == 0.0 ? 0.0 : value; // no "-0"
}

std::string asciiNumber(bool negative, QStringView integer, QStringView fraction)
{
    std::string ascii;
    ascii.reserve(static_cast<size_t>(integer.size() + fraction.size() + 3));
    if (negative)
        ascii.push_back('-');
    appendDigits(ascii, integer);
    if (ascii.empty() || ascii == "-")
        ascii.push_back('0');
    if (!fraction.isEmpty()) {
        ascii.push_back('.');
        appendDigits(ascii, fraction);
    }
    return ascii;
}

} // namespace

std::optional<NumberParts> splitNumber(QStringView text)
{
    const QStringView s = trimBlanks(text);
    NumberParts parts;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        parts.negative = s[i] == u'-';
        ++i;
    }
    const qsizetype integerBegin = i;
    const qsizetype firstGroup = digitRun(s, i);
    i += firstGroup;
    if (i < s.size() && s[i] == u'.') {
        // Grouping: one to three digits, then groups of exactly three.
        if (firstGroup < 1 || firstGroup > 3)
            return std::nullopt;
        while (i < s.size() && s[i] == u'.') {
            if (digitRun(s, i + 1) != 3)
                return std::nullopt;
            i += 4;
        }
    }
    parts.integer = s.sliced(integerBegin, i - integerBegin);
    if (i < s.size() && s[i] == u',') {
        ++i;
        const qsizetype fractionDigits = digitRun(s, i);
        parts.fraction = s.sliced(i, fractionDigits);
        i += fractionDigits;
    }
    if (i != s.size() || (parts.integer.isEmpty() && parts.fraction.isEmpty()))
        return std::nullopt;
    return parts;
}

std::optional<double> textToNumber(QStringView text)
{
    const std::optional<NumberParts> parts = splitNumber(text);
    if (!parts)
        return std::nullopt;
    if (parts->fraction.isEmpty()) {
        // A whole number of up to 15 digits is exact in a double as it is
        // (receipt numbers, cents texts): no detour through a digit string.
        qint64 whole = 0;
        int digits = 0;
        for (QChar c : parts->integer) {
            if (isDigit(c) && ++digits <= 15)
                whole = whole * 10 + (c.unicode() - u'0');
        }
        if (digits <= 15)
            return static_cast<double>(parts->negative ? -whole : whole);
    }
    return asciiToDouble(asciiNumber(parts->negative, parts->integer, parts->fraction),
                         hasNonZeroDigit(parts->integer));
}

double prefixNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    const QStringView integer = text.sliced(i, digitRun(text, i));
    i += integer.size();
    QStringView fraction;
    if (i < text.size() && text[i] == u'.')
        fraction = text.sliced(i + 1, digitRun(text, i + 1));
    if (integer.isEmpty() && fraction.isEmpty())
        return 0.0;
    const bool integerNonZero = hasNonZeroDigit(integer);
    const std::optional<double> value = asciiToDouble(asciiNumber(negative, integer, fraction), integerNonZero);
    if (value)
        return *value;
    constexpr double largest = std::numeric_limits<double>::max();
    return negative ? -largest : largest;
}

qsizetype writeNumber(double value, char (&out)[NumberTextCapacity])
{
    if (!std::isfinite(value))
        return 0;
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        // Whole numbers print all their digits either way; this is quicker.
        return std::to_chars(out, out + NumberTextCapacity, static_cast<qint64>(value)).ptr - out;
    }
    // Shortest text that reads back to the same double, without exponent.
    const auto [end, error] = std::to_chars(out, out + NumberTextCapacity, value, std::chars_format::fixed);
    if (error != std::errc())
        return 0;
    std::replace(out, end, '.', ',');
    return end - out;
}

QString numberToText(double value)
{
    char buffer[NumberTextCapacity];
    const qsizetype length = writeNumber(value, buffer);
    return QString::fromLatin1(buffer, length);
}

qsizetype writeCents(qint64 cents, char (&out)[CentsTextCapacity])
{
    // Unsigned magnitude, so that the most negative value has one too.
    quint64 magnitude = cents < 0 ? 0U - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    char reversed[CentsTextCapacity];
    qsizetype n = 0;
    reversed[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    reversed[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    reversed[n++] = ',';
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            reversed[n++] = '.';
            inGroup = 0;
        }
        reversed[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    if (cents < 0)
        reversed[n++] = '-';
    std::reverse_copy(reversed, reversed + n, out);
    return n;
}

QString formatCents(qint64 cents)
{
    char buffer[CentsTextCapacity];
    const qsizetype length = writeCents(cents, buffer);
    return QString::fromLatin1(buffer, length);
}

} // namespace German
