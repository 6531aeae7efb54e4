// Real dates: proleptic Gregorian, years 1 to 9999, in 32-bit arithmetic.
#pragma once

#include <cstdint>

#include "calendar/date_words.h"
#include "kalder.h"

namespace modern {

inline constexpr int32_t kFirstYear = 1;
inline constexpr int32_t kLastYear = 9999;

// The Gregorian calendar repeats every 400 years (146097 days, a whole
// number of weeks), so one table of 400 entries gives, for a year's
// remainder by 400, whether the year is a leap year (bit 3) and the
// weekday of its 1 January (bits 0 to 2): one division, by a constant,
// answers both for any year.
struct YearFacts {
    uint8_t of[400];
    constexpr YearFacts() : of{} {
        for (uint32_t r = 0; r < 400; ++r) {
            const bool leap = r % 4 == 0 && (r % 100 != 0 || r == 0);
            // 1 January of year r + 400 by Sakamoto's rule: the year before
            // counts, as January starts the March-based year's end.
            const uint32_t y = r + 399;
            const uint32_t weekday = (y + y / 4 - y / 100 + y / 400 + 1) % 7;
            of[r] = static_cast<uint8_t>((leap ? 8 : 0) | weekday);
        }
    }
};
inline constexpr YearFacts kYearFacts;

inline uint32_t FactsOfYear(int32_t year) {
    return kYearFacts.of[static_cast<uint32_t>(year) % 400];
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
    const uint32_t before = date_words::DaysBeforeMonth(static_cast<uint32_t>(month), february);
    *weekday = static_cast<int32_t>(((facts & 7) + before + static_cast<uint32_t>(day) - 1) % 7);
    return KALDER_OK;
}

// The weekday (0 = Sunday) of a real date: its 1 January's, moved on by
// the days before it in its year.
inline int32_t WeekdayOfDate(int32_t year, int32_t month, int32_t day) {
    const uint32_t facts = FactsOfYear(year);
    const uint32_t before = date_words::DaysBeforeMonth(static_cast<uint32_t>(month),
                                                        28 + static_cast<int32_t>(facts >> 3));
    return static_cast<int32_t>(((facts & 7) + before + static_cast<uint32_t>(day) - 1) % 7);
}

} // namespace modern
