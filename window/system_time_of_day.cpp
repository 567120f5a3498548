#include "system_time_of_day.h"

#include <QTime>

namespace window {

double SystemTimeOfDay::secondsSinceMidnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

std::int16_t SystemTimeOfDay::secondOfMinute() { return static_cast<std::int16_t>(QTime::currentTime().second()); }

} // namespace window
