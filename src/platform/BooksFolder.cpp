#include "platform/BooksFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
// Tries what saving will do. Permission bits and access() know nothing of
// read-only mounts, and for root they allow every folder.
bool canWriteIn(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.barlog-probe-XXXXXX"));
    return probe.open();
}

bool isPrefixBin(const QString &folder)
{
    const QDir dir(folder);
    return dir.dirName() == QLatin1StringView("bin") && QFileInfo(dir.filePath(QStringLiteral("../share"))).isDir();
}
} // namespace

QString BooksFolder::choose(const QString &programFolder, const QString &userDataFolder)
{
    if (!isPrefixBin(programFolder) && canWriteIn(programFolder))
        return programFolder;
    if (!userDataFolder.isEmpty() && QDir().mkpath(userDataFolder) && canWriteIn(userDataFolder))
        return userDataFolder;
    return {};
}

QString BooksFolder::userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
