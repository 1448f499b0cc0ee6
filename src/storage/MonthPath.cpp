#include "storage/MonthPath.h"

#include <algorithm>

namespace {
bool isControlOrSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7F;
}

QString textProblem(const QString &text, const QString &what, bool isFolderName)
{
    const QString rule = QStringLiteral("Die Monatsdatei muss in ihrem Jahresordner liegen.");
    if (text.isEmpty())
        return QStringLiteral("Die %1 ist leer. Bitte auswählen oder eintippen.").arg(what);
    for (const QChar c : text) {
        if (isControlOrSeparator(c))
            return QStringLiteral("Die %1 „%2“ darf kein „/“, kein „\\“ und kein Steuerzeichen enthalten. %3")
                .arg(what, text, rule);
    }
    if (isFolderName && (text == QStringLiteral(".") || text == QStringLiteral("..")))
        return QStringLiteral("Die %1 „%2“ verweist auf einen anderen Ordner. %3").arg(what, text, rule);
    return {};
}
} // namespace

MonthPath monthFilePath(const QString &programFolder, const QString &year, const QString &month,
                        const QString &extension)
{
    MonthPath result;
    result.path = programFolder + QLatin1Char('/') + year + QLatin1Char('/') + monthLabel(year, month) + extension;
    result.problem = textProblem(year, QStringLiteral("Jahresangabe"), true);
    if (result.problem.isEmpty())
        result.problem = textProblem(month, QStringLiteral("Monatsangabe"), false);
    return result;
}

QString monthLabel(const QString &year, const QString &month)
{
    return year + QLatin1Char('-') + month;
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
