// Month lengths, leap years, day numbers within a year and seconds since 1970.
//
// Every operation here runs in constant time whatever the year: month sums
// come from a prefix table plus the current February, and year spans are
// counted with leap-year arithmetic instead of year loops.
#include "calendar/calendar.h"

#include "kalder32.h"

int32_t MonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

namespace {

// Days before the first of each month in a year with a 28-day February;
// the entry for 13 is the whole year.
constexpr int32_t kCommonDaysBefore[14] = {0,   0,   31,  59,  90,  120, 151,
                                           181, 212, 243, 273, 304, 334, 365};

// The days of the months before month (0 to 13) in a year whose February
// has february days.
uint32_t DaysBeforeMonth(uint32_t month, int32_t february) {
    if (month > 13)
        month = 13;
    uint32_t days = static_cast<uint32_t>(kCommonDaysBefore[month]);
    if (month > 2)
        days += static_cast<uint32_t>(february - 28);
    return days;
}

// Leap years from year 1 to year (inclusive), for every 32-bit year.
uint32_t LeapYearsThrough(uint32_t year) { return year / 4 - year / 100 + year / 400; }

// Days from 1 January 1970 to 1 January of a year of a date word, in 32-bit
// arithmetic: counted from 1 January of the year -399, one 400-year era
// (146097 days) before year 1, so that no term is negative.
int32_t DaysToNewYear(uint16_t year) {
    const uint32_t years = year + 399u;
    const uint32_t days = 365 * years + years / 4 - years / 100 + years / 400;
    return static_cast<int32_t>(days) - 146097 - 719162;
}

// SetFebruaryFor for the year of a date word, in 32-bit arithmetic: the
// 64-bit remainder by 100 of the general rule costs a 32-bit processor a
// long multiplication.
int32_t SetFebruaryForWord(uint16_t year) {
    const uint32_t y = year;
    int32_t leap = 0;
    if ((y & 3) == 0)
        leap = y % 100 != 0 || (y & 15) == 0 ? 1 : 0;
    return StoreFebruary(28 + leap);
}

} // namespace

extern "C" int32_t KALDERAPI CorrectLeap(const DosDate *date) {
    return SetFebruaryForWord(date->year);
}

extern "C" int32_t KALDERAPI CorrectLeapFromYear(int32_t year) {
    return SetFebruaryFor(static_cast<int16_t>(static_cast<uint16_t>(year)));
}

extern "C" int32_t KALDERAPI DosdToJulian(const DosDate *date, int32_t *dayNumber) {
    const int32_t february = SetFebruaryForWord(date->year);
    const int32_t n = static_cast<int32_t>(date->day + DaysBeforeMonth(date->month, february));
    if (dayNumber != nullptr)
        *dayNumber = n;
    return n;
}

// Day n counts from 1 January of the year passed in; the stored date is the
// real calendar date of that day, however many years away it lies.
namespace {

void StoreDate(DosDate *date, uint32_t year, unsigned month, unsigned day, unsigned weekday) {
    date->year = static_cast<uint16_t>(year);
    date->month = static_cast<uint16_t>(month);
    date->day = static_cast<uint16_t>(day);
    date->dayOfWeek = static_cast<uint16_t>(weekday);
}

} // namespace

extern "C" int32_t KALDERAPI JulianToDosd(int32_t dayNumber, DosDate *date) {
    const uint16_t year = date->year;
    SetFebruaryForWord(year);
    // The day's count on the 32-bit path, with the wrap of 32-bit
    // arithmetic: the count of the year's 1 January is below 2^25, so a
    // true count outside 0 to kDayCountLast wraps to above kDayCountLast.
    const uint32_t count = static_cast<uint32_t>(DaysToNewYear(year)) + kDayCountShift +
                           static_cast<uint32_t>(dayNumber) - 1u;
    if (count <= kDayCountLast) [[likely]] {
        const CivilDate civil = CivilFromDayCount(count);
        const unsigned weekday = WeekdayFromDayCount(count);
        StoreDate(date, static_cast<uint32_t>(civil.year), civil.month, civil.day, weekday);
        return static_cast<int32_t>(weekday);
    }
    const int64_t days = int64_t{DaysToNewYear(year)} + dayNumber - 1;
    int64_t storedYear = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(days, &storedYear, &month, &day);
    const unsigned weekday = WeekdayFromDays(days);
    StoreDate(date, static_cast<uint32_t>(static_cast<uint64_t>(storedYear)), month, day, weekday);
    return static_cast<int32_t>(weekday);
}

extern "C" int32_t KALDERAPI SetTmJulian(KALDER_TM *date) {
    const int32_t february = SetFebruaryFor(static_cast<int64_t>(date->tm_year) + 1900);
    int32_t month = date->tm_mon;
    if (month < 0)
        month = 0;
    if (month > 12)
        month = 12;
    // Unsigned sums wrap instead of overflowing for extreme tm_mday.
    const uint32_t n = static_cast<uint32_t>(date->tm_mday) +
                       DaysBeforeMonth(static_cast<uint32_t>(month) + 1, february);
    date->tm_yday = static_cast<int32_t>(n - 1u);
    return static_cast<int32_t>(n);
}

extern "C" int32_t KALDERAPI Days_in_Month(int32_t month) {
    if (month < 1 || month > 12)
        return 0;
    return std::atomic_ref<int32_t>(MonthDays[month - 1]).load(std::memory_order_relaxed);
}

// Whole years from 1970 up to tm_year, then the day, hour, minute and second
// terms; the total wraps modulo 2^32 into the signed result.  All of it is
// 32-bit unsigned arithmetic: the last whole year (below 2^31 + 1900) and
// its leap-year count are exact, and the sums and products wrap just as the
// result does, so no 64-bit division is needed on 32-bit processors.
extern "C" KALDER_TIME KALDERAPI CalcDateSeconds(const KALDER_TM *date) {
    uint32_t seconds = 0;
    if (date->tm_year > 70) {
        const uint32_t years = static_cast<uint32_t>(date->tm_year) - 70;
        const uint32_t lastYear = static_cast<uint32_t>(date->tm_year) + 1899;
        const uint32_t leaps = LeapYearsThrough(lastYear) - LeapYearsThrough(1969);
        seconds = (years * 365 + leaps) * 86400u;
    }
    seconds += static_cast<uint32_t>(date->tm_yday) * 86400u;
    seconds += static_cast<uint32_t>(date->tm_hour) * 3600u;
    seconds += static_cast<uint32_t>(date->tm_min) * 60u;
    seconds += static_cast<uint32_t>(date->tm_sec);
    return static_cast<KALDER_TIME>(seconds);
}
