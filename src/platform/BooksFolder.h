#pragma once

#include <QString>

// The folder that holds bl.dat, Tasten.txt and the year folders.
namespace BooksFolder {

// The program's own folder when the user may write there (a folder of its
// own, as ./run.sh installs it). A program in the bin folder of an
// installation prefix (bin beside share) is shared by every user of the
// machine, so its books go to the user's data folder even where root may
// write. The data folder is created; an empty result means that neither
// folder can be written.
QString choose(const QString &programFolder, const QString &userDataFolder);

// The user's data folder for Barlog, ~/.local/share/Barlog on most systems.
QString userDataFolder();

} // namespace BooksFolder
