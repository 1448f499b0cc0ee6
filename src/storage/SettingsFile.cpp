#include "storage/SettingsFile.h"

SettingsFile::SettingsFile(const QString &programFolder)
    : ValueFile(programFolder,
                {QStringLiteral("bl.dat"), QStringLiteral("Steuersätzen"),
                 QStringLiteral("Für die fehlenden Steuersätze gelten die Vorgaben.")},
                ValueCount)
{
}
