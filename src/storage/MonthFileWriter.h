#pragma once

#include "storage/MonthContents.h"

// Replaces a month file so that no failure can lose the month on disk: the
// new file is written completely beside the old one in one transaction,
// synced, and only then renamed over it. The replaced version stays as
// "<name>.bak", one generation deep. A missing year folder is created.
namespace MonthFileWriter {

// Returns the empty text on success, otherwise a German message saying why
// nothing changed; the file at path is then exactly as it was.
QString write(const QString &path, const MonthContents &month);

} // namespace MonthFileWriter
