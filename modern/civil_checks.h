// Real dates: proleptic Gregorian, years 1 to 9999, in the 32-bit
// arithmetic of the date words (every year fits one).
#pragma once

#include <cstdint>

#include "calendar/civil.h"
#include "calendar/date_words.h"
#include "kalder.h"

namespace modern {

inline constexpr int32_t kFirstYear = 1;
inline constexpr int32_t kLastYear = 9999;

// February's length in a year from 1 to 9999.
inline int32_t FebruaryOfYear(int32_t year) {
    const auto y = static_cast<uint32_t>(year);
    return 28 + ((y & 3) == 0 && (y % 100 != 0 || (y & 15) == 0) ? 1 : 0);
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

// Days from 1 January 1970 to a real date.
inline int32_t DaysOfDate(int32_t year, int32_t month, int32_t day) {
    const uint32_t before =
        date_words::DaysBeforeMonth(static_cast<uint32_t>(month), FebruaryOfYear(year));
    return date_words::DaysToNewYear(static_cast<uint16_t>(year)) + static_cast<int32_t>(before) +
           day - 1;
}

// The weekday (0 = Sunday) of a real date: Sakamoto's form of the
// Gregorian weekday rule, which counts from a year that starts in March so
// that the leap day ends the year, and needs one division by 100 (the
// quarters are shifts).
inline int32_t WeekdayOfDate(int32_t year, int32_t month, int32_t day) {
    static constexpr uint8_t kMonthShift[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const uint32_t y = static_cast<uint32_t>(year) - (month < 3 ? 1u : 0u);
    const uint32_t century = y / 100;
    const uint32_t sum = y + (y >> 2) - century + (century >> 2) + kMonthShift[month - 1] +
                         static_cast<uint32_t>(day);
    return static_cast<int32_t>(sum % 7);
}

} // namespace modern
