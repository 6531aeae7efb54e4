// Civil-date arithmetic after Howard Hinnant's days_from_civil and
// civil_from_days: the year is shifted to start in March so that the leap
// day falls last, and then every 400-year era has the same 146097 days, so
// a date is found with a few divisions whatever the year.
//
// Dates of the years the library's 16-bit date words hold (and far beyond)
// take a 32-bit path first (CivilFromDayCount in calendar.h).  Other dates
// take the general 64-bit path.
#include "calendar/civil.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return (a >= 0 ? a : a - (b - 1)) / b; }

constexpr int64_t kFastFirst = -int64_t{kDayCountShift};
constexpr int64_t kFastLast = int64_t{kDayCountLast} - kDayCountShift;

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
    if (days >= kFastFirst && days <= kFastLast) {
        const CivilDate date = CivilFromDayCount(static_cast<uint32_t>(days + kDayCountShift));
        *year = date.year;
        *month = date.month;
        *day = date.day;
        return;
    }
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
    if (days >= kFastFirst && days <= kFastLast)
        return WeekdayFromDayCount(static_cast<uint32_t>(days + kDayCountShift));
    int64_t w = (days + 4) % 7;
    return static_cast<unsigned>(w < 0 ? w + 7 : w);
}

namespace {

// The second of the UTC day, 0 to 86399, with floor semantics for values
// before 1970; 32-bit arithmetic throughout.
uint32_t SecondOfDay(int32_t t) {
    const int32_t r = t % 86400;
    return static_cast<uint32_t>(r < 0 ? r + 86400 : r);
}

} // namespace

int64_t UtcMidnight(int32_t t) { return int64_t{t} - SecondOfDay(t); }

void UtcHourMinute(int32_t t, int32_t *hour, int32_t *minute) {
    const uint32_t second = SecondOfDay(t);
    *hour = static_cast<int32_t>(second / 3600);
    *minute = static_cast<int32_t>(second % 3600 / 60);
}
