#include "books/StatusText.h"

#include "editing/SheetLayout.h"
#include "platform/FlexGridStore.h"

namespace StatusText {
namespace {
QString clock(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

QString count(int bookings)
{
    if (bookings == 0)
        return QStringLiteral("keine Buchungen");
    return bookings == 1 ? QStringLiteral("1 Buchung") : QStringLiteral("%1 Buchungen").arg(bookings);
}
} // namespace

QString saved(const QString &month, int bookings, const QTime &time)
{
    return QStringLiteral("%1 gespeichert: %2, %3").arg(month, count(bookings), clock(time));
}

QString exported(const QString &what, const QString &fileName, const QTime &time)
{
    return QStringLiteral("%1 geschrieben: %2, %3").arg(what, fileName, clock(time));
}

QString settingsSaved(const QTime &time)
{
    return QStringLiteral("Einstellungen gespeichert, %1").arg(clock(time));
}

QString unsavedMark(bool unsaved)
{
    return unsaved ? QStringLiteral("Nicht gespeichert") : QString();
}

int bookings(const FlexGridStore &sheet)
{
    int n = 0;
    for (int r = modul::FirstEntryRow; r < sheet.rows(); ++r)
        n += modul::holdsEntry(sheet, r) ? 1 : 0;
    return n;
}

} // namespace StatusText
