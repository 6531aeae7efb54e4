// The wall clock, for commands given no date or time: today and now are
// the local date and time, as date and cal show them.
#pragma once

#include "values.h"

namespace kaldate {

struct LocalTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
};

LocalTime LocalNow();

} // namespace kaldate
