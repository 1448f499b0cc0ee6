#include "storage/QuickKeyFile.h"

QuickKeyFile::QuickKeyFile(const QString &programFolder)
    : ValueFile(programFolder,
                {QStringLiteral("Tasten.txt"), QStringLiteral("Tastenbezeichnungen"),
                 QStringLiteral("Die übrigen Schnelltasten behalten ihre bisherige Bezeichnung.")},
                ValueCount)
{
}
