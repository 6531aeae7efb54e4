// The checks of a real date: proleptic Gregorian, years 1 to 9999.
#pragma once

#include <cstdint>

#include "calendar/month_table.h"
#include "kalder.h"

namespace modern {

inline constexpr int32_t kFirstYear = 1;
inline constexpr int32_t kLastYear = 9999;

// KALDER_OK, or the status of the first of year, month and day that is not
// real.
inline KalderStatus CheckDate(int32_t year, int32_t month, int32_t day) {
    if (year < kFirstYear || year > kLastYear)
        return KALDER_BAD_YEAR;
    if (month < 1 || month > 12)
        return KALDER_BAD_MONTH;
    if (day < 1 || day > MonthLength(month, FebruaryOf(year)))
        return KALDER_BAD_DAY;
    return KALDER_OK;
}

} // namespace modern
