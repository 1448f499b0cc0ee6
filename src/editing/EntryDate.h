#pragma once

#include "editing/CellEntry.h"

#include <QDate>
#include <QStringView>

#include <optional>

namespace modul {

// The day an entry's date cell names, typed as day, month and perhaps year
// with dots: "15.03.2026", "5.3.26", "15.03." or "15.3". A two-digit year
// lies in 2000 to 2099; without one the date falls in monthYear. Text that
// names no calendar day gives nothing.
std::optional<QDate> entryDate(QStringView text, int monthYear);

// The commit rule for the date column. A day of the sheet's month may be
// typed as "5", "5.", "05.03.", "5.3.26" or "05.03.2026" and is stored as
// "05.03.2026"; month is the month's first day. A blank is taken as it is,
// as the Delete key leaves it. Anything that names no day of that month is
// refused; while no month is known, only a date with its year is taken.
CellEntry commitDate(const QString &editorText, std::optional<QDate> month);

} // namespace modul
