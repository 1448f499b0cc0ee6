#pragma once

#include "storage/DbStatus.h"
#include "storage/JournalTable.h"

// Reads month databases that the Windows program wrote (Jet files) through
// mdbtools. These files are only ever read: the library cannot write them,
// and the next save writes our own format in their place.
namespace JetReader {

// Every record of table, each field as text in UTF-8 decoded form; an empty
// field comes back as NULL, which is what the Windows program's fields hold
// instead of the empty text.
DbStatus readTable(const QString &path, const QString &table, Records &records);

} // namespace JetReader
