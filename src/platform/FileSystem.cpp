#include "platform/FileSystem.h"

#include <QFile>

#include <sys/stat.h>

namespace {
bool statPath(const QString &path, struct stat &st)
{
    if (path.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(path);
    // A NUL inside the name would silently shorten the path the system sees.
    if (native.contains('\0'))
        return false;
    return ::stat(native.constData(), &st) == 0;
}
} // namespace

bool FileExists(const QString &fileName)
{
    struct stat st
    {
    };
    return statPath(fileName, st) && !S_ISDIR(st.st_mode);
}

bool DirExists(const QString &path)
{
    struct stat st
    {
    };
    return statPath(path, st) && S_ISDIR(st.st_mode);
}
