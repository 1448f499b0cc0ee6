#include "editing/EntryDate.h"

#include "editing/GermanNumbers.h"

#include <array>

namespace modul {
namespace {
constexpr int Century = 2000;
// The day the messages show as an example.
constexpr int ExampleDay = 5;

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
    // Day, month and perhaps year between dots, split in place: the exports
    // read a date for every row.
    constexpr qsizetype MostParts = 3;
    std::array<QStringView, MostParts> parts;
    qsizetype count = 0;
    const QStringView trimmed = text.trimmed();
    for (qsizetype start = 0;;) {
        if (count == MostParts)
            return std::nullopt;
        const qsizetype dot = trimmed.indexOf(u'.', start);
        parts[static_cast<size_t>(count++)] = dot < 0 ? trimmed.sliced(start) : trimmed.sliced(start, dot - start);
        if (dot < 0)
            break;
        start = dot + 1;
    }
    if (count < 2)
        return std::nullopt;
    const int day = digitsValue(parts[0], 2);
    const int month = digitsValue(parts[1], 2);
    int year = monthYear;
    if (count == MostParts && !parts[2].isEmpty()) {
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

CellEntry commitDate(const QString &editorText, std::optional<QDate> month)
{
    const QStringView typed = QStringView(editorText).trimmed();
    if (typed.isEmpty())
        return {editorText, {}};
    std::optional<QDate> date;
    if (const QStringView day = typed.endsWith(u'.') ? typed.chopped(1) : typed; !day.contains(u'.')) {
        // The day alone falls in the sheet's month.
        const int value = digitsValue(day, 2);
        if (month && value > 0 && QDate::isValid(month->year(), month->month(), value))
            date = QDate(month->year(), month->month(), value);
    } else if (month || typed.count(u'.') == 2) {
        date = entryDate(typed, month ? month->year() : 0);
    }
    if (!date) {
        const QString example = month ? month->addDays(ExampleDay - 1).toString(QStringLiteral("dd.MM.yyyy"))
                                      : QStringLiteral("05.03.2026");
        return {editorText, QStringLiteral("„%1“ ist kein Datum. Bitte den Tag eingeben (z. B. %2) oder das ganze "
                                           "Datum (z. B. %3).")
                                .arg(typed.toString(), QString::number(ExampleDay), example)};
    }
    const QString text = date->toString(QStringLiteral("dd.MM.yyyy"));
    if (month && (date->year() != month->year() || date->month() != month->month()))
        return {editorText, QStringLiteral("Der %1 liegt nicht im Monat %2. Bitte ein Datum aus diesem Monat eingeben.")
                                .arg(text, month->toString(QStringLiteral("yyyy-MM")))};
    return {text, {}};
}

} // namespace modul
