#include "storage/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

QString writeWholeFile(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo(path).isDir())
        return QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden, denn an ihrer Stelle liegt ein Ordner. "
                              "Bitte den Ordner umbenennen oder an einen anderen Platz verschieben.")
            .arg(QDir::toNativeSeparators(path));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden. Bitte prüfen Sie, ob der Ordner „%2“ "
                          "beschreibbar ist.")
        .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}
