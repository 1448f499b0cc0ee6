#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

#include <algorithm>

namespace modul {
namespace {

// What the prefix reader sees in a text without dots: blanks, a sign and a
// whole number; it stops at the first other character. The value stops at
// ±MaxSheetCents, while the digits (without leading zeros) are kept exactly
// for a caller that wants them as text.
class WholePrefix
{
public:
    explicit WholePrefix(QString *digits = nullptr) : m_digits(digits) {}

    // False once reading has stopped.
    bool feed(QChar c)
    {
        if (m_state == State::Blanks) {
            if (German::isBlank(c))
                return true;
            m_state = State::Digits;
            if (c == u'+' || c == u'-') {
                m_negative = c == u'-';
                return true;
            }
        }
        if (m_state == State::Digits && German::isDigit(c)) {
            const qint64 d = c.unicode() - u'0';
            if (m_magnitude == 0 && d == 0)
                return true;
            m_magnitude = m_magnitude > (MaxSheetCents - d) / 10 ? MaxSheetCents : m_magnitude * 10 + d;
            if (m_digits)
                m_digits->append(c);
            return true;
        }
        m_state = State::Stopped;
        return false;
    }

    bool negative() const { return m_negative; }
    qint64 value() const { return m_negative ? -m_magnitude : m_magnitude; }

private:
    enum class State { Blanks, Digits, Stopped };
    State m_state = State::Blanks;
    bool m_negative = false;
    qint64 m_magnitude = 0;
    QString *m_digits;
};

} // namespace

QString PunktEntfernen(const QString &s)
{
    const qsizetype dot = s.indexOf(u'.');
    if (dot < 0)
        return s;
    return s.first(dot) + s.sliced(dot + 1);
}

QString BetragInCent(QString &s)
{
    if (s.isEmpty())
        s = QStringLiteral("00");
    // Every grouping dot goes, so that amounts of a million and more read whole.
    s.remove(u'.');
    const qsizetype comma = s.indexOf(u',');
    if (comma < 0)
        return s;
    const QString whole = s.first(comma) + s.right(2);
    QString digits;
    WholePrefix reader(&digits);
    for (QChar c : whole) {
        if (!reader.feed(c))
            break;
    }
    if (digits.isEmpty())
        return QStringLiteral(" 0");
    return (reader.negative() ? u'-' : u' ') + digits;
}

qint64 centsOf(QStringView text)
{
    // The same reading as BetragInCent, walking the text in place: dots are
    // skipped, and after the first comma come the last two characters.
    WholePrefix reader;
    qsizetype i = 0;
    for (; i < text.size() && text[i] != u','; ++i) {
        if (text[i] != u'.' && !reader.feed(text[i]))
            return reader.value();
    }
    if (i == text.size())
        return reader.value();
    QChar lastTwo[2];
    int found = 0;
    for (qsizetype j = text.size() - 1; j >= 0 && found < 2; --j) {
        if (text[j] != u'.')
            lastTwo[found++] = text[j];
    }
    while (found > 0 && reader.feed(lastTwo[found - 1]))
        --found;
    return reader.value();
}

QString commitAmount(const QString &editorText, const QString &cellText)
{
    const std::optional<German::NumberParts> parts = German::splitNumber(editorText);
    if (!parts)
        return QString();
    // Whole cents read exactly from the digits; the digits after the second
    // decimal decide the rounding, so no binary fraction tips a half.
    static constexpr qint64 tooLarge = MaxCommitCents + 1;
    qint64 cents = 0;
    const auto push = [&cents](QChar c) { cents = std::min(cents * 10 + (c.unicode() - u'0'), tooLarge); };
    for (QChar c : parts->integer) {
        if (German::isDigit(c))
            push(c);
    }
    const QStringView fraction = parts->fraction;
    push(fraction.size() > 0 ? fraction[0] : u'0');
    push(fraction.size() > 1 ? fraction[1] : u'0');
    if (cents == 0)
        return cellText; // 0, or less than a cent: the cell stays as it was
    const QStringView rest = fraction.size() > 2 ? fraction.sliced(2) : QStringView();
    const int first = rest.isEmpty() ? 0 : rest[0].unicode() - u'0';
    const bool beyondHalf =
        rest.size() > 1 && std::any_of(rest.begin() + 1, rest.end(), [](QChar c) { return c != u'0'; });
    if (first > 5 || (first == 5 && (beyondHalf || cents % 2 == 1)))
        ++cents;
    if (cents > MaxCommitCents)
        return QString();
    return German::formatCents(parts->negative ? -cents : cents);
}

} // namespace modul
