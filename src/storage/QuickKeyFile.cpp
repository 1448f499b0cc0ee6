#include "storage/QuickKeyFile.h"

using namespace Qt::StringLiterals;

QuickKeyFile::QuickKeyFile(const QString &programFolder)
    : ValueFile(programFolder,
                {u"Tasten.txt"_s, u"Tastenbezeichnungen"_s,
                 u"Die übrigen Schnelltasten behalten ihre bisherige Bezeichnung."_s},
                ValueCount)
{
}
