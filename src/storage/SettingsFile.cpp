#include "storage/SettingsFile.h"

#include "storage/JournalTable.h"

SettingsFile::SettingsFile(const QString &programFolder)
    : ValueFile(programFolder,
                {QStringLiteral("bl.dat"), QStringLiteral("Steuersätzen"),
                 QStringLiteral("Für die fehlenden Steuersätze gelten die Vorgaben.")},
                ValueCount)
{
    // Each rate heads its income column and is stored with every month in
    // that column's field.
    QList<int> lengths;
    for (qsizetype i = 0; i < ValueCount; ++i)
        lengths << JournalTable::fields[static_cast<size_t>(i)].maxLength;
    limitLengths(lengths);
}
