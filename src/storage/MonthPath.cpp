#include "storage/MonthPath.h"

#include <algorithm>

namespace {
QString yearProblem(const QString &year)
{
    if (year.isEmpty())
        return QStringLiteral("Die Jahresangabe ist leer. Bitte auswählen oder eintippen.");
    if (!selectedYear(year))
        return QStringLiteral("Die Jahresangabe „%1“ ist kein Jahr. Bitte ein Jahr mit vier Ziffern wählen oder "
                              "eintippen.")
            .arg(year);
    return {};
}

QString monthProblem(const QString &year, const QString &month)
{
    if (month.isEmpty())
        return QStringLiteral("Die Monatsangabe ist leer. Bitte auswählen oder eintippen.");
    constexpr qsizetype MonthDigits = 2;
    if (month.size() != MonthDigits || !selectedMonth(year, month))
        return QStringLiteral("Die Monatsangabe „%1“ ist kein Monat. Bitte 01 bis 12 wählen oder eintippen.")
            .arg(month);
    return {};
}
} // namespace

MonthPath monthFilePath(const QString &programFolder, const QString &year, const QString &month,
                        const QString &extension)
{
    const QString completed = completedMonth(month);
    MonthPath result;
    result.path = programFolder + QLatin1Char('/') + year + QLatin1Char('/') + monthLabel(year, completed) + extension;
    result.problem = yearProblem(year);
    if (result.problem.isEmpty())
        result.problem = monthProblem(year, completed);
    return result;
}

QString monthLabel(const QString &year, const QString &month)
{
    return year + QLatin1Char('-') + completedMonth(month);
}

QString completedMonth(const QString &month)
{
    const QString typed = month.trimmed();
    if (typed.size() == 1 && typed[0] >= u'1' && typed[0] <= u'9')
        return u'0' + typed;
    return month;
}

QString replaceQuestion(const QString &year, const QString &month)
{
    const QString br = QStringLiteral("\r\n");
    return QStringLiteral("Die Datei ") + br + br + monthLabel(year, month) + QStringLiteral(".mdb") + br + br
           + QStringLiteral("existiert bereits.") + br + br
           + QStringLiteral("Soll durch die aktuelle Datei ersetzt werden ?");
}

MonthYear monthYearFromFileName(const QString &fileName)
{
    QString name = fileName.toUpper();
    name.remove(QStringLiteral(".MDB"), Qt::CaseSensitive);
    return {name.right(2), name.left(4)};
}

std::optional<QDate> selectedMonth(const QString &year, const QString &month)
{
    constexpr int YearDigits = 4;
    const auto digits = [](const QString &t) {
        return !t.isEmpty() && std::all_of(t.cbegin(), t.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (year.size() != YearDigits || !digits(year) || month.size() > 2 || !digits(month))
        return std::nullopt;
    const QDate first(year.toInt(), month.toInt(), 1);
    return first.isValid() ? std::optional<QDate>(first) : std::nullopt;
}

QString noMonthMessage(const QString &year, const QString &month)
{
    return QStringLiteral("„%1“ und „%2“ nennen keinen Monat. Bitte oben rechts Monat und Jahr wählen.")
        .arg(month, year);
}

std::optional<int> selectedYear(const QString &year)
{
    const std::optional<QDate> first = selectedMonth(year, QStringLiteral("01"));
    return first ? std::optional<int>(first->year()) : std::nullopt;
}

QString noYearMessage(const QString &year)
{
    return QStringLiteral("„%1“ nennt kein Jahr. Bitte oben rechts das Jahr wählen.").arg(year);
}
