#pragma once

#include <QDate>
#include <QStringView>

#include <optional>

namespace modul {

// The day an entry's date cell names, typed as day, month and perhaps year
// with dots: "15.03.2026", "5.3.26", "15.03." or "15.3". A two-digit year
// lies in 2000 to 2099; without one the date falls in monthYear. Text that
// names no calendar day gives nothing.
std::optional<QDate> entryDate(QStringView text, int monthYear);

} // namespace modul
