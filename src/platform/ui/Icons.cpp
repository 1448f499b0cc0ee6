#include "platform/ui/Icons.h"

#include <QApplication>
#include <QHash>
#include <QStyle>

namespace {
void ensureTheme()
{
    // Without a desktop session Qt knows no theme; Adwaita ships with Debian.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1StringView("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

QStyle::StandardPixmap fallbackFor(const QString &name)
{
    static const QHash<QString, QStyle::StandardPixmap> map = {
        {QStringLiteral("document-open"), QStyle::SP_DialogOpenButton},
        {QStringLiteral("system-search"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("document-print"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("preferences-system"), QStyle::SP_FileDialogInfoView},
        {QStringLiteral("list-add"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("list-remove"), QStyle::SP_TrashIcon},
        {QStringLiteral("document-save"), QStyle::SP_DialogSaveButton},
    };
    return map.value(name, QStyle::SP_FileIcon);
}
} // namespace

QIcon Icons::button(const QString &themeName)
{
    ensureTheme();
    const QIcon fallback = QApplication::style()->standardIcon(fallbackFor(themeName));
    return QIcon::fromTheme(themeName, fallback);
}

QIcon Icons::window()
{
    // Barlog's own icon is built in, so that a program started from its build
    // folder shows it too; without Qt's SVG plugin it cannot be drawn.
    const QIcon own(QStringLiteral(":/icons/" BARLOG_APP_ID ".svg"));
    if (!own.isNull())
        return own;
    ensureTheme();
    return QIcon::fromTheme(QStringLiteral("x-office-spreadsheet"),
                            QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView));
}
