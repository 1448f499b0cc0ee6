#pragma once

#include "storage/JournalTable.h"

// The two versions of a 3,000-row month that the kill test saves in turn.
// The helper that saves and the test that checks build them alike.
namespace KillTestSheet {
inline constexpr int entryRows = 3000;
Records records(int version);
} // namespace KillTestSheet
