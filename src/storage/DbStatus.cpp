#include "storage/DbStatus.h"

#include <cerrno>

QString DbStatus::report() const
{
    return QStringLiteral("Error #: ") + QString::number(number) + QStringLiteral("\r\n\r\n") + description;
}

DbStatus DbStatus::failure(DbError error, const QString &description)
{
    return {static_cast<int>(error), description};
}

QString systemErrorText(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Auf dem Datenträger ist nicht genügend Platz.");
    case EFBIG:
        return QStringLiteral("Die Datei würde größer, als der Datenträger oder das System erlaubt.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Die Berechtigung dafür fehlt.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case EIO:
        return QStringLiteral("Beim Lesen oder Schreiben des Datenträgers ist ein Fehler aufgetreten.");
    case ENOENT:
        return QStringLiteral("Die Datei oder der Ordner existiert nicht.");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist kein Ordner.");
    case EISDIR:
        return QStringLiteral("An dieser Stelle liegt ein Ordner, keine Datei.");
    case ENOTEMPTY:
    case EEXIST:
        return QStringLiteral("An dieser Stelle liegt schon etwas anderes.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Es sind zu viele Dateien geöffnet.");
    default:
        return QStringLiteral("Systemfehler Nr. %1.").arg(err);
    }
}

namespace DbErrors {

DbStatus cannotOpen(const QString &path, int err)
{
    if (err == ENOENT)
        return fileNotFound(path);
    if (err == ENOTDIR)
        return DbStatus::failure(DbError::InvalidPath,
                                 QStringLiteral("Der Pfad „%1“ ist ungültig. %2").arg(path, systemErrorText(err)));
    return DbStatus::failure(
        DbError::CannotOpen,
        QStringLiteral("Die Datei „%1“ kann nicht geöffnet werden. %2").arg(path, systemErrorText(err)));
}

DbStatus fileNotFound(const QString &path)
{
    return DbStatus::failure(DbError::FileNotFound, QStringLiteral("Die Datei „%1“ wurde nicht gefunden.").arg(path));
}

DbStatus unrecognizedFormat(const QString &path, const QString &detail)
{
    QString text = QStringLiteral("Die Datei „%1“ ist keine Monatsdatenbank (unbekanntes Datenbankformat).").arg(path);
    if (!detail.isEmpty())
        text += QLatin1Char(' ') + detail;
    return DbStatus::failure(DbError::UnrecognizedFormat, text);
}

DbStatus corrupt(const QString &path)
{
    return DbStatus::failure(
        DbError::Corrupt, QStringLiteral("Die Datenbank „%1“ ist beschädigt und kann nicht gelesen werden.").arg(path));
}

DbStatus tableNotFound(const QString &path, const QString &table)
{
    return DbStatus::failure(DbError::TableNotFound,
                             QStringLiteral("Die Tabelle „%1“ gibt es in der Datenbank „%2“ nicht.").arg(table, path));
}

DbStatus readOnlyJet(const QString &path)
{
    return DbStatus::failure(DbError::ReadOnly,
                             QStringLiteral("Die Datenbank „%1“ stammt vom Windows-Programm und wird nur gelesen, "
                                            "nie geändert.")
                                 .arg(path));
}

DbStatus databaseExists(const QString &path)
{
    return DbStatus::failure(DbError::DatabaseExists,
                             QStringLiteral("Die Datenbank „%1“ ist schon vorhanden.").arg(path));
}

DbStatus cannotCreate(const QString &path, int err)
{
    switch (err) {
    case EEXIST:
        return databaseExists(path);
    case ENOENT:
    case ENOTDIR:
        return DbStatus::failure(DbError::InvalidPath,
                                 QStringLiteral("Der Pfad „%1“ ist ungültig: Sein Ordner existiert nicht.").arg(path));
    case ENOSPC:
    case EDQUOT:
        return DbStatus::failure(DbError::DiskFull,
                                 QStringLiteral("„%1“ kann nicht angelegt werden. %2").arg(path, systemErrorText(err)));
    case EROFS:
        return DbStatus::failure(DbError::ReadOnly,
                                 QStringLiteral("„%1“ kann nicht angelegt werden. %2").arg(path, systemErrorText(err)));
    default:
        return DbStatus::failure(DbError::CannotOpen,
                                 QStringLiteral("„%1“ kann nicht angelegt werden. %2").arg(path, systemErrorText(err)));
    }
}

} // namespace DbErrors
