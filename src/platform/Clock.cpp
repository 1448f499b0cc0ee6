#include "platform/Clock.h"

namespace {
QDate &fixedDate()
{
    static QDate date;
    return date;
}

QDateTime &fixedMoment()
{
    static QDateTime moment;
    return moment;
}
} // namespace

QDate Clock::today()
{
    if (fixedDate().isValid())
        return fixedDate();
    return now().date();
}

void Clock::setToday(const QDate &date)
{
    fixedDate() = date;
}

QDateTime Clock::now()
{
    if (fixedMoment().isValid())
        return fixedMoment();
    QDateTime moment = QDateTime::currentDateTime();
    if (fixedDate().isValid())
        moment.setDate(fixedDate());
    return moment;
}

void Clock::setNow(const QDateTime &moment)
{
    fixedMoment() = moment;
}
