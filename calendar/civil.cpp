// Civil-date arithmetic after Howard Hinnant's days_from_civil and
// civil_from_days: the year is shifted to start in March so that the leap
// day falls last, and then every 400-year era has the same 146097 days, so
// a date is found with a few divisions whatever the year.
//
// Dates of the years the library's 16-bit date words hold (and far beyond)
// take a 32-bit path first: Neri and Schneider's form of the same
// computation, in which every division is by a constant and becomes a
// multiplication and a shift.  Other dates take the general 64-bit path.
#include "calendar/calendar.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return (a >= 0 ? a : a - (b - 1)) / b; }

// The 32-bit path counts days from 1 March of the year -400 (one era before
// the start of the proleptic calendar's year 0 era), so that its day counts
// are never negative; it holds while 4 * count + 3 fits 32 bits.
constexpr int64_t kFastShift = 719468 + 146097;
constexpr int64_t kFastFirst = -kFastShift;
constexpr int64_t kFastLast = 1000000000 - kFastShift;

void CivilFromDaysFast(uint32_t count, int64_t *year, unsigned *month, unsigned *day) {
    // Century and day of the century.
    const uint32_t n1 = 4 * count + 3;
    const uint32_t century = n1 / 146097;
    const uint32_t dayOfCentury = n1 % 146097 / 4;
    // Year of the century and day of the year: 2939745 / 2^32 is 1 / 1461
    // closely enough for every day of a century.
    const uint64_t p2 = uint64_t{2939745} * (4 * dayOfCentury + 3);
    const auto yearOfCentury = static_cast<uint32_t>(p2 >> 32);
    const uint32_t dayOfYear = static_cast<uint32_t>(p2) / 2939745 / 4;
    // Month and day from the day of a March-based year.
    const uint32_t n3 = 2141 * dayOfYear + 197913;
    const uint32_t marchMonth = n3 >> 16;
    *day = (n3 & 65535) / 2141 + 1;
    const bool nextYear = dayOfYear >= 306; // January or February
    *month = nextYear ? marchMonth - 12 : marchMonth;
    *year = int64_t{100 * century + yearOfCentury} - 400 + nextYear;
}

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
        CivilFromDaysFast(static_cast<uint32_t>(days + kFastShift), year, month, day);
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
    // 1970-01-01 was a Thursday (4); kFastShift is 1 more than a multiple
    // of 7.
    if (days >= kFastFirst && days <= kFastLast)
        return static_cast<uint32_t>(days + kFastShift + 3) % 7;
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
