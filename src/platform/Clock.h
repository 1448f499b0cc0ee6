#pragma once

#include <QDate>

// Today's date, read at one place so that tests can fix it.
namespace Clock {
QDate today();
// Tests set a fixed date; an invalid date returns to the system clock.
void setToday(const QDate &date);
} // namespace Clock
