// Civil-date arithmetic after Howard Hinnant's days_from_civil and
// civil_from_days: the year is shifted to start in March so that the leap
// day falls last, and then every 400-year era has the same 146097 days, so
// a date is found with a few divisions whatever the year.
#include "calendar/calendar.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return (a >= 0 ? a : a - (b - 1)) / b; }

} // namespace

int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yoe = year - era * 400; // [0, 399]
    // Signed arithmetic, so that a day of 0 counts back to the previous day
    // instead of wrapping as an unsigned value.
    const int64_t mp = month > 2 ? int64_t{month} - 3 : int64_t{month} + 9; // [0, 11]
    const int64_t doy = (153 * mp + 2) / 5 + int64_t{day} - 1;              // [0, 365]
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;              // [0, 146096]
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t days, int64_t *year, unsigned *month, unsigned *day) {
    days += 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t doe = days - era * 146097;                                   // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365; // [0, 399]
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                                    // [0, 11]
    *day = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
    *month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    *year = yoe + era * 400 + (*month <= 2);
}

unsigned WeekdayFromDays(int64_t days) {
    // 1970-01-01 was a Thursday (4).
    int64_t w = (days + 4) % 7;
    return static_cast<unsigned>(w < 0 ? w + 7 : w);
}

int64_t UtcMidnight(int32_t t) { return FloorDiv(t, 86400) * 86400; }

void UtcHourMinute(int32_t t, int32_t *hour, int32_t *minute) {
    const int64_t secondOfDay = t - UtcMidnight(t);
    *hour = static_cast<int32_t>(secondOfDay / 3600);
    *minute = static_cast<int32_t>(secondOfDay % 3600 / 60);
}
