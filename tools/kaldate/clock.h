// The wall clock, for commands given no date or time: today and now are
// the local date and time, as date and cal show them.
//
// KALDATE_NOW="YYYY-MM-DD HH:MM" (or "YYYY-MM-DD", midnight) stands in for
// the clock, so that tests of today and now do not depend on the day they
// run; a value in neither form is ignored.
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
