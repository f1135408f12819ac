#pragma once

#include <QString>

class QDateTime;

namespace kv {

// The clock captions at `when`: weekday, "mm/dd/yy", "hh:mm:ss am/pm".
struct SlideClock
{
    QString day;
    QString date;
    QString time;
};
SlideClock slideClockAt(const QDateTime& when);

} // namespace kv
