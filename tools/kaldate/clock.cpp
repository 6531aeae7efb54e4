#include "clock.h"

#include <ctime>

namespace kaldate {

LocalTime LocalNow() {
    std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    LocalTime result;
    if (!local)
        return result;
    result.date = CalendarDate{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
    result.hour = local->tm_hour;
    result.minute = local->tm_min;
    return result;
}

} // namespace kaldate
