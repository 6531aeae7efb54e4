// The calendar operations on the library's date records: month sums, day
// numbers within a year, seconds since 1970, and the February that each
// leaves in the month table.  (Inline: each is all of what its export does.)
//
// Every operation here runs in constant time whatever the year: month sums
// come from a prefix table plus the February in use, and year spans are
// counted with leap-year arithmetic instead of year loops.
#pragma once

#include <cstdint>

#include "calendar/civil.h"
#include "calendar/month_table.h"
#include "kalder32.h"

namespace date_words {

// Days before the first of each month in a year with a 28-day February;
// the entry for 13 is the whole year.
inline constexpr int32_t kCommonDaysBefore[14] = {0,   0,   31,  59,  90,  120, 151,
                                                  181, 212, 243, 273, 304, 334, 365};

// The days of the months before month (0 to 13; more counts as 13) in a
// year whose February has february days.
inline uint32_t DaysBeforeMonth(uint32_t month, int32_t february) {
    if (month > 13)
        month = 13;
    uint32_t days = static_cast<uint32_t>(kCommonDaysBefore[month]);
    if (month > 2)
        days += static_cast<uint32_t>(february - 28);
    return days;
}

// Leap years from year 1 to year (inclusive), for every 32-bit year.
inline uint32_t LeapYearsThrough(uint32_t year) { return year / 4 - year / 100 + year / 400; }

// Days from 1 January 1970 to 1 January of the year of a date word, in
// 32-bit arithmetic: counted from 1 January of the year -399, one 400-year
// era (146097 days) before year 1, so that no term is negative.
inline int32_t DaysToNewYear(uint16_t year) {
    const uint32_t years = year + 399u;
    const uint32_t days = 365 * years + years / 4 - years / 100 + years / 400;
    return static_cast<int32_t>(days) - 146097 - 719162;
}

// SetFebruaryFor for the year of a date word, in 32-bit arithmetic: the
// 64-bit remainder by 100 of the general rule costs a 32-bit processor a
// long multiplication.
inline int32_t SetFebruaryForWord(uint16_t year) {
    const uint32_t y = year;
    int32_t leap = 0;
    if ((y & 3) == 0)
        leap = y % 100 != 0 || (y & 15) == 0 ? 1 : 0;
    return StoreFebruary(28 + leap);
}

inline void StoreDate(DosDate *date, uint32_t year, unsigned month, unsigned day,
                      unsigned weekday) {
    date->year = static_cast<uint16_t>(year);
    date->month = static_cast<uint16_t>(month);
    date->day = static_cast<uint16_t>(day);
    date->dayOfWeek = static_cast<uint16_t>(weekday);
}

} // namespace date_words

// The day number of date within its year (a month above 13 counts as 13);
// leaves the year's February in the month table.
inline int32_t DayNumberOfDate(const DosDate &date) {
    using namespace date_words;
    const int32_t february = SetFebruaryForWord(date.year);
    return static_cast<int32_t>(date.day + DaysBeforeMonth(date.month, february));
}

// Stores in date the real calendar date of day dayNumber, counted from 1
// January of date's year however many years away it lies, with its
// weekday; returns the weekday.  Leaves the February of date's year (as
// passed in) in the month table.
inline int32_t StoreDateOfDayNumber(int32_t dayNumber, DosDate *date) {
    using namespace date_words;
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

// Sets tm_yday from the date's year, month (clamped to 0 to 12) and day;
// returns the day number, tm_yday + 1.  Leaves the year's February in the
// month table.
inline int32_t SetDayOfYear(KALDER_TM *date) {
    using namespace date_words;
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

// The month's length in the month table (0 outside 1 to 12).
inline int32_t DaysInMonthOfTable(int32_t month) {
    if (month < 1 || month > 12)
        return 0;
    return std::atomic_ref<int32_t>(MonthDays[month - 1]).load(std::memory_order_relaxed);
}

// Whole years from 1970 up to tm_year, then the day, hour, minute and second
// terms; the total wraps modulo 2^32 into the signed result.  All of it is
// 32-bit unsigned arithmetic: the last whole year (below 2^31 + 1900) and
// its leap-year count are exact, and the sums and products wrap just as the
// result does, so no 64-bit division is needed on 32-bit processors.
inline KALDER_TIME SecondsSince1970(const KALDER_TM &date) {
    using namespace date_words;
    uint32_t seconds = 0;
    if (date.tm_year > 70) {
        const uint32_t years = static_cast<uint32_t>(date.tm_year) - 70;
        const uint32_t lastYear = static_cast<uint32_t>(date.tm_year) + 1899;
        const uint32_t leaps = LeapYearsThrough(lastYear) - LeapYearsThrough(1969);
        seconds = (years * 365 + leaps) * 86400u;
    }
    seconds += static_cast<uint32_t>(date.tm_yday) * 86400u;
    seconds += static_cast<uint32_t>(date.tm_hour) * 3600u;
    seconds += static_cast<uint32_t>(date.tm_min) * 60u;
    seconds += static_cast<uint32_t>(date.tm_sec);
    return static_cast<KALDER_TIME>(seconds);
}
