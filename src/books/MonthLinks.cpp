#include "books/MonthLinks.h"

#include "books/ChangeLog.h"

namespace MonthLinks {
std::optional<MonthLink> linkTo(const QString &beforeLabel, const MonthContents &before)
{
    if (!before.logged)
        return std::nullopt;
    const ChangeLog::Link head = ChangeLog::chainHead(before);
    if (head.number == 0)
        return std::nullopt;
    return MonthLink{beforeLabel, head.number, head.hash};
}

QString check(const QString &label, const MonthContents &file, const QString &beforeLabel, const MonthContents &before)
{
    if (!file.monthBefore)
        return {};
    const MonthLink &link = *file.monthBefore;
    const QString heading =
        QStringLiteral("Der Monat %1 wurde verändert, seit der Monat %2 begonnen wurde.").arg(beforeLabel, label);
    // A file put in another month's place carries on another month's chain.
    if (link.label != beforeLabel)
        return QStringLiteral("Die Datei des Monats %1 setzt die Kette des Monats %2 fort, nicht die von %3.")
            .arg(label, link.label, beforeLabel);
    if (ChangeLog::linkHash(before, link.number) == link.hash)
        return {};
    const ChangeLog::Link head = ChangeLog::chainHead(before);
    const QString why =
        head.number < link.number
            ? QStringLiteral("Als der Monat %1 begann, reichte die Kette von %2 bis Nr. %3; die Datei „%2.mdb“ endet "
                             "jetzt bei Nr. %4. Sie ist eine ältere Fassung, vielleicht die Sicherungskopie "
                             "„%2.mdb.bak“.")
                  .arg(label, beforeLabel)
                  .arg(link.number)
                  .arg(head.number)
            : QStringLiteral("Als der Monat %1 begann, endete die Kette von %2 mit Nr. %3; in der Datei „%2.mdb“ ist "
                             "Nr. %3 jetzt ein anderer Eintrag.")
                  .arg(label, beforeLabel)
                  .arg(link.number);
    return heading + QStringLiteral("\r\n\r\n") + why;
}

} // namespace MonthLinks
