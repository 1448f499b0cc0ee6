#pragma once

#include <QDate>
#include <QDateTime>

// Today's date and the time of day, read at one place so that tests can fix them.
namespace Clock {
QDate today();
// Tests set a fixed date; an invalid date returns to the system clock.
void setToday(const QDate &date);
// The local time with its offset from UTC; a fixed date set by setToday
// keeps the real time of day.
QDateTime now();
// Tests set a fixed moment; an invalid one returns to the system clock. It
// also fixes today() unless a date of its own is set.
void setNow(const QDateTime &moment);
} // namespace Clock
