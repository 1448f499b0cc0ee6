#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

#include <algorithm>
#include <optional>

namespace modul {
namespace {
constexpr qsizetype CentDigits = 2;

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

namespace {
// The display format ("-1.234,56") read directly: digits and dots, a comma
// and two digits, at most as many digits as MaxSheetCents has. Nothing for
// any other text.
constexpr int MaxPlainDigits = 17;
std::optional<qint64> displayCents(QStringView text)
{
    const qsizetype n = text.size();
    if (n < 4 || text[n - 3] != u',' || !German::isDigit(text[n - 2]) || !German::isDigit(text[n - 1]))
        return std::nullopt;
    qsizetype i = text[0] == u'-' ? 1 : 0;
    const bool negative = i == 1;
    if (i == n - 3)
        return std::nullopt;
    qint64 value = 0;
    int digits = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (German::isDigit(c)) {
            // Counted before the multiplication, so that a long text cannot overflow.
            if (++digits > MaxPlainDigits)
                return std::nullopt;
            value = value * 10 + (c.unicode() - u'0');
        } else if (c != u'.' && i != n - 3) {
            return std::nullopt;
        }
    }
    return negative ? -value : value;
}
} // namespace

qint64 centsOfText(QStringView text)
{
    if (const std::optional<qint64> cents = displayCents(text))
        return *cents;
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

CellEntry commitAmount(const QString &editorText, const QString &cellText)
{
    const QString typed = editorText.trimmed();
    // A blank, as the Delete key leaves it, empties the cell.
    if (typed.isEmpty())
        return {};
    const auto refused = [&editorText, &typed](const char16_t *why) {
        // Only the range message names the largest amount; arg() with an unused value warns.
        const QString message = QString::fromUtf16(why);
        return CellEntry{editorText, message.contains(u"%2")
                                         ? message.arg(typed, German::formatCents(MaxCommitCents))
                                         : message.arg(typed)};
    };
    const std::optional<German::NumberParts> parts = German::splitNumber(typed);
    if (!parts)
        return refused(u"„%1“ ist kein Betrag. Bitte eine Zahl wie 12,50 eingeben.");
    const QStringView fraction = parts->fraction;
    const bool beyondCents =
        fraction.size() > CentDigits
        && std::any_of(fraction.begin() + CentDigits, fraction.end(), [](QChar c) { return c != u'0'; });
    if (beyondCents)
        return refused(u"„%1“ hat mehr als zwei Nachkommastellen. Bitte auf den Cent genau eingeben, z. B. 12,35.");
    // Whole cents read exactly from the digits.
    static constexpr qint64 tooLarge = MaxCommitCents + 1;
    qint64 cents = 0;
    const auto push = [&cents](QChar c) { cents = std::min(cents * 10 + (c.unicode() - u'0'), tooLarge); };
    for (QChar c : parts->integer) {
        if (German::isDigit(c))
            push(c);
    }
    push(fraction.size() > 0 ? fraction[0] : u'0');
    push(fraction.size() > 1 ? fraction[1] : u'0');
    if (cents == 0)
        return {cellText, {}}; // 0 leaves the cell as it was
    if (cents > MaxCommitCents)
        return refused(u"„%1“ ist als Betrag zu groß. Erlaubt sind bis zu %2, mit oder ohne Minus.");
    return {German::formatCents(parts->negative ? -cents : cents), {}};
}

} // namespace modul
