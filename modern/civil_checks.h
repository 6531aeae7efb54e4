// Real dates: proleptic Gregorian, years 1 to 9999, in 32-bit arithmetic.
#pragma once

#include <cstdint>

#include "calendar/date_words.h"
#include "kalder.h"

namespace modern {

inline constexpr int32_t kFirstYear = 1;
inline constexpr int32_t kLastYear = 9999;

// For every year from 0 to 9999, whether it is a leap year (bit 3) and
// the weekday of its 1 January (bits 0 to 2): one load answers both, and
// the weekday of a date is then a few additions and one more load away,
// with no division on the way (a long date waits for its weekday before
// it can fetch the name).  The calendar repeats every 400 years, so the
// table is the first 400 years' entries over and over.
struct YearFacts {
    uint8_t of[kLastYear + 1];
    constexpr YearFacts() : of{} {
        for (uint32_t year = 0; year <= kLastYear; ++year) {
            const uint32_t r = year % 400;
            const bool leap = r % 4 == 0 && (r % 100 != 0 || r == 0);
            // 1 January of year r + 400 by Sakamoto's rule: the year before
            // counts, as January ends the March-based year.
            const uint32_t y = r + 399;
            const uint32_t weekday = (y + y / 4 - y / 100 + y / 400 + 1) % 7;
            of[year] = static_cast<uint8_t>((leap ? 8 : 0) | weekday);
        }
    }
};
inline constexpr YearFacts kYearFacts;

// Of a year from 1 to 9999.
inline uint32_t FactsOfYear(int32_t year) { return kYearFacts.of[year]; }

// The days before the first of each month, modulo 7, in a common and in a
// leap year; and the remainders by 7 of the sums a weekday adds up to.
struct WeekdayShifts {
    uint8_t beforeMonth[2][13];
    uint8_t mod7[64];
    constexpr WeekdayShifts() : beforeMonth{}, mod7{} {
        for (uint32_t leap = 0; leap < 2; ++leap) {
            for (uint32_t month = 1; month <= 12; ++month)
                beforeMonth[leap][month] = static_cast<uint8_t>(
                    (date_words::kCommonDaysBefore[month] + (leap != 0 && month > 2 ? 1 : 0)) % 7);
        }
        for (uint32_t n = 0; n < 64; ++n)
            mod7[n] = static_cast<uint8_t>(n % 7);
    }
};
inline constexpr WeekdayShifts kWeekdayShifts;

// The weekday of day of month in a year of facts.
inline int32_t WeekdayOfFacts(uint32_t facts, int32_t month, int32_t day) {
    const uint32_t shift = kWeekdayShifts.beforeMonth[facts >> 3][month];
    return kWeekdayShifts.mod7[(facts & 7) + shift + static_cast<uint32_t>(day) - 1];
}

// February's length in a year from 1 to 9999.
inline int32_t FebruaryOfYear(int32_t year) {
    return 28 + static_cast<int32_t>(FactsOfYear(year) >> 3);
}

// KALDER_OK, or the status of the first of year, month and day that is not
// real.
inline KalderStatus CheckDate(int32_t year, int32_t month, int32_t day) {
    if (year < kFirstYear || year > kLastYear)
        return KALDER_BAD_YEAR;
    if (month < 1 || month > 12)
        return KALDER_BAD_MONTH;
    if (day < 1 || day > MonthLength(month, FebruaryOfYear(year)))
        return KALDER_BAD_DAY;
    return KALDER_OK;
}

// CheckDate and, for a real date, its weekday (0 = Sunday) in *weekday,
// from one look at the year's facts.
inline KalderStatus CheckDateAndWeekday(int32_t year, int32_t month, int32_t day,
                                        int32_t *weekday) {
    if (year < kFirstYear || year > kLastYear)
        return KALDER_BAD_YEAR;
    if (month < 1 || month > 12)
        return KALDER_BAD_MONTH;
    const uint32_t facts = FactsOfYear(year);
    const int32_t february = 28 + static_cast<int32_t>(facts >> 3);
    if (day < 1 || day > MonthLength(month, february))
        return KALDER_BAD_DAY;
    *weekday = WeekdayOfFacts(facts, month, day);
    return KALDER_OK;
}

// The weekday (0 = Sunday) of a real date: its 1 January's, moved on by
// the days before it in its year.
inline int32_t WeekdayOfDate(int32_t year, int32_t month, int32_t day) {
    return WeekdayOfFacts(FactsOfYear(year), month, day);
}

} // namespace modern
