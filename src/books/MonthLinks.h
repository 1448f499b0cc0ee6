#pragma once

#include "storage/MonthContents.h"

#include <QString>

#include <optional>

// The chain runs on across months: a month's first link chains onto the
// chain head of the month before as it was then, and the month keeps that
// head. A month before changed since (rolled back to an older copy, or its
// log rewritten) no longer holds that head at that place, which the load of
// the later month tells.
namespace MonthLinks {

// The link a month's first link makes to before, the month labelled
// beforeLabel; nothing when before has no chain yet.
std::optional<MonthLink> linkTo(const QString &beforeLabel, const MonthContents &before);

// After a load of the month label whose file is file: the message when the
// month before, read whole as before, no longer holds the head file links
// to, or file links to another month; empty otherwise, and when file links
// to no month.
QString check(const QString &label, const MonthContents &file, const QString &beforeLabel, const MonthContents &before);

} // namespace MonthLinks
