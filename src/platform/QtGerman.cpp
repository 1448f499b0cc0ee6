#include "platform/QtGerman.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
const QLatin1StringView QtBaseGerman("qtbase_de.qm");
}

QStringList QtGerman::folders()
{
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
}

bool QtGerman::install(QCoreApplication &app, const QStringList &searchFolders)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const QString &folder : searchFolders) {
        // A full file name: QTranslator's own search would fall back on
        // shorter names and on the locale of the environment.
        const QString file = folder + QLatin1Char('/') + QtBaseGerman;
        if (!QFileInfo::exists(file))
            continue;
        auto *translator = new QTranslator(&app);
        if (translator->load(file)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    qWarning("Barlog: %ls not found; Qt's dialogs stay English (package qt6-translations-l10n)",
             qUtf16Printable(QString(QtBaseGerman)));
    return false;
}
