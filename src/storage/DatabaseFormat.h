#pragma once

#include "storage/DbStatus.h"

// Which engine a file needs, told by its first bytes and never by its name.
enum class DatabaseFormat { None, Sqlite, Jet };

struct FormatProbe
{
    DatabaseFormat format = DatabaseFormat::None;
    DbStatus status; // why there is no format: missing, unreadable, foreign, truncated
};

FormatProbe probeDatabaseFile(const QString &path);
