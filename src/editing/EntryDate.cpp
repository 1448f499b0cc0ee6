#include "editing/EntryDate.h"

#include "editing/GermanNumbers.h"

#include <QList>

namespace modul {
namespace {
constexpr int Century = 2000;

// The value of 1 to maxDigits digits, or -1.
int digitsValue(QStringView part, qsizetype maxDigits)
{
    if (part.isEmpty() || part.size() > maxDigits)
        return -1;
    int value = 0;
    for (const QChar c : part) {
        if (!German::isDigit(c))
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}
} // namespace

std::optional<QDate> entryDate(QStringView text, int monthYear)
{
    const QList<QStringView> parts = text.trimmed().split(u'.');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const int day = digitsValue(parts[0], 2);
    const int month = digitsValue(parts[1], 2);
    int year = monthYear;
    if (parts.size() == 3 && !parts[2].isEmpty()) {
        const QStringView y = parts[2];
        if (y.size() != 2 && y.size() != 4)
            return std::nullopt;
        year = digitsValue(y, 4);
        if (year >= 0 && y.size() == 2)
            year += Century;
    }
    if (day < 0 || month < 0 || year < 0 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

} // namespace modul
