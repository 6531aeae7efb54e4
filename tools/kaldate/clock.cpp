#include "clock.h"

#include <cstdlib>
#include <ctime>

namespace kaldate {
namespace {

bool FixedNow(LocalTime &result) {
    const char *value = std::getenv("KALDATE_NOW");
    if (!value)
        return false;
    const std::string text = value;
    CalendarDate date;
    int32_t hour = 0;
    int32_t minute = 0;
    if (ReadIsoDate(text.substr(0, 10), date) != Reading::kOk)
        return false;
    if (text.size() > 10 && (text[10] != ' ' || !ReadHourMinute(text.substr(11), hour, minute) ||
                             hour > 23 || minute > 59))
        return false;
    result.date = date;
    result.hour = hour;
    result.minute = minute;
    return true;
}

} // namespace

LocalTime LocalNow() {
    LocalTime result;
    if (FixedNow(result))
        return result;
    std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    if (!local)
        return result;
    result.date = CalendarDate{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
    result.hour = local->tm_hour;
    result.minute = local->tm_min;
    return result;
}

} // namespace kaldate
