// The month-length table whose February follows the last leap-aware call,
// and the leap-year rule.
#pragma once

#include <atomic>
#include <cstdint>

// Month lengths, January first; only February ever changes: it follows the
// year of the last leap-aware operation.  Calls compute with their own
// February and only store it here (see StoreFebruary), so threads that
// meet here never see each other's years.
extern int32_t MonthDays[12];

// A year that is a multiple of 100 is a multiple of 400 exactly when it is
// also a multiple of 16; most years leave at the first test.  Inline, since
// every parse and most calendar calls set February.
inline int IsLeapYear(int64_t year) {
    if ((year & 3) != 0)
        return 0;
    return year % 100 != 0 || (year & 15) == 0 ? 1 : 0;
}

// February's length in year, 28 or 29.
inline int32_t FebruaryOf(int64_t year) { return 28 + IsLeapYear(year); }

// Leaves february in the month table, where the last call's stands.
inline int32_t StoreFebruary(int32_t february) {
    std::atomic_ref<int32_t>(MonthDays[1]).store(february, std::memory_order_relaxed);
    return february;
}

// Stores February for year and returns its length, 28 or 29.
inline int32_t SetFebruaryFor(int64_t year) { return StoreFebruary(FebruaryOf(year)); }

// The length of month (1 to 12) in a year whose February has february days.
inline constexpr int32_t kMonthLengths[12] = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
inline int32_t MonthLength(int32_t month, int32_t february) {
    return month == 2 ? february : kMonthLengths[month - 1];
}
