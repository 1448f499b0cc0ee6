#pragma once

#include <QStringList>

class QCoreApplication;

// Qt's own texts (file dialog, print dialogs and preview, the context menus
// of the line edits, standard buttons) in German whatever LANG says, from
// qtbase_de.qm of qt6-translations-l10n.
namespace QtGerman {

// Where qtbase_de.qm is looked for: Qt's translation folder, then a
// translations folder beside the program.
QStringList folders();

// Installs the first qtbase_de.qm found in folders into app and makes
// German Qt's default locale, so that the dialogs' dates and numbers match.
// False, with a warning, when none is found; Qt then speaks English.
bool install(QCoreApplication &app, const QStringList &searchFolders = folders());

} // namespace QtGerman
