#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// German number texts: decimal comma, "." between groups of three digits, a
// leading "-". Written out here once so that nothing depends on the system
// locale or LANG: a cash book must read the same on every machine.
namespace German {

// Blanks that may surround a number: the space and the tab.
inline bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
inline bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A regional number text taken apart, views into the text it came from.
struct NumberParts
{
    bool negative = false;
    QStringView integer;  // digits, possibly with grouping dots between groups of three
    QStringView fraction; // the digits after the comma
};

// Accepts blanks around, one leading "+" or "-", digits either without dots
// or grouped in threes by ".", and an optional "," with digits after it; at
// least one digit. "12,5", "1.234,5", "-,5", " 7 " are numbers; " ", "1e3",
// "12.5", "1.2345" and "12 €" are not.
std::optional<NumberParts> splitNumber(QStringView text);

// The regional text-to-number conversion: "12,5" gives 12.5, "1.234,5"
// gives 1234.5; text that splitNumber refuses, or whose value exceeds the
// double range, gives nothing. Values too small for a double read as 0.
std::optional<double> textToNumber(QStringView text);
inline std::optional<double> textToNumber(const QString &text)
{
    return textToNumber(QStringView(text));
}

// The prefix number reader: optional blanks, an optional sign, digits and
// "." as the decimal point. It stops at the first other character and gives
// 0 when nothing is readable; a value past the double range gives the
// largest double of its sign.
double prefixNumber(QStringView text);
inline double prefixNumber(const QString &text)
{
    return prefixNumber(QStringView(text));
}

// The regional number-to-text conversion: every digit that tells the value
// apart, decimal comma, no grouping, never an exponent, so that
// textToNumber reads it back. 0 (also -0) gives "0"; NaN and infinities give
// the empty text.
QString numberToText(double value);

// The display format of an amount in cents: "1.234,56", "0,50", "-12,30".
QString formatCents(qint64 cents);

// The same two conversions into a caller's buffer, so that a caller can
// compare a cell with the result before it allocates. They return the
// length written.
constexpr qsizetype CentsTextCapacity = 32;
qsizetype writeCents(qint64 cents, char (&out)[CentsTextCapacity]);
constexpr qsizetype NumberTextCapacity = 400;
qsizetype writeNumber(double value, char (&out)[NumberTextCapacity]);

} // namespace German
