// Civil-day arithmetic: dates to and from counts of days since 1970, weekdays,
// and the UTC breakdown of time values.
#pragma once

#include <cstdint>

// Days from 1 January 1970 to the given civil date (proleptic Gregorian),
// and back.  Constant time for every year that fits.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day);
void CivilFromDays(int64_t days, int64_t *year, unsigned *month, unsigned *day);

// Weekday of a count of days since 1970-01-01 (a Thursday); 0 = Sunday.
unsigned WeekdayFromDays(int64_t days);

// The 32-bit path of CivilFromDays, for the years of the date words and far
// beyond, inline where a 32-bit processor should not pass 64-bit values:
// Neri and Schneider's form of the same computation, in which every
// division is by a constant and becomes a multiplication and a shift.  It
// counts days from 1 March of the year -400 (one era before the start of
// the proleptic calendar's year 0 era), so that its counts are never
// negative, and holds while 4 * count + 3 fits 32 bits.
inline constexpr uint32_t kDayCountShift = 719468 + 146097; // the count of 1 January 1970
inline constexpr uint32_t kDayCountLast = 1000000000;

struct CivilDate {
    int32_t year;
    unsigned month;
    unsigned day;
};

inline CivilDate CivilFromDayCount(uint32_t count) {
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
    const bool nextYear = dayOfYear >= 306; // January or February
    return CivilDate{static_cast<int32_t>(100 * century + yearOfCentury) - 400 + nextYear,
                     nextYear ? marchMonth - 12 : marchMonth, (n3 & 65535) / 2141 + 1};
}

// 1970-01-01 was a Thursday (4); kDayCountShift is 1 more than a multiple
// of 7.
inline unsigned WeekdayFromDayCount(uint32_t count) { return (count + 3) % 7; }

// UTC breakdown of a 32-bit time value, with floor arithmetic so that
// values before 1970 fall on their own day (-1 is 23:59:59 of 31 Dec 1969).
int64_t UtcMidnight(int32_t t);
void UtcHourMinute(int32_t t, int32_t *hour, int32_t *minute);
