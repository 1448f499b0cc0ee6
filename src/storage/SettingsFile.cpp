#include "storage/SettingsFile.h"

using namespace Qt::StringLiterals;

SettingsFile::SettingsFile(const QString &programFolder)
    : ValueFile(programFolder,
                {u"bl.dat"_s, u"Steuersätzen"_s, u"Für die fehlenden Steuersätze gelten die Vorgaben."_s},
                ValueCount)
{
}
