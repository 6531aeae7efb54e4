// Whole-range checks of the calendar exports against an independent civil-date
// computation written here (constant time, no tables shared with the library).
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "calendar/civil.h"
#include "calendar/month_table.h"
#include "kalder32.h"

namespace {

// Days from 1970-01-01 to the given proleptic Gregorian date; the usual
// era-based formula, valid for any year that fits in 64 bits.
int64_t RefDaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool RefLeap(int64_t y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int RefWeekday(int64_t days) { // 1970-01-01 was a Thursday
    return static_cast<int>(((days % 7) + 11) % 7);
}

int RefMonthLength(int64_t y, int m) {
    static const int kLen[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && RefLeap(y) ? 29 : kLen[m - 1];
}

// Days in the years [1970, 1970 + n) for n >= 0, in closed form.
int64_t RefDaysInYearsFrom1970(int64_t years) {
    const int64_t to = 1970 + years - 1; // last year counted
    auto leapsUpTo = [](int64_t y) { return y / 4 - y / 100 + y / 400; };
    return years * 365 + leapsUpTo(to) - leapsUpTo(1969);
}

bool LongSweeps() { return std::getenv("KALDER_LONG_SWEEPS") != nullptr; }

TEST(ExhaustiveCalendar, EveryDosDateRoundTripsWithItsWeekday) {
    int failures = 0;
    for (int64_t year = 0; year <= 65535 && failures < 10; ++year) {
        // The default run takes every year up to 10000 and every 7th year
        // beyond (which still meets every weekday and leap pattern).
        if (!LongSweeps() && year > 10000 && year % 7 != 0)
            continue;
        const int64_t jan1 = RefDaysFromCivil(year, 1, 1);
        int yday = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= RefMonthLength(year, month); ++day) {
                ++yday;
                DosDate in{static_cast<uint16_t>(year), static_cast<uint16_t>(month), 9,
                           static_cast<uint16_t>(day)};
                int32_t n = -1;
                const int32_t ret = DosdToJulian(&in, &n);
                DosDate out{static_cast<uint16_t>(year), 0, 0, 0};
                const int32_t wd = JulianToDosd(n, &out);
                const int want = RefWeekday(jan1 + yday - 1);
                if (ret != yday || n != yday || out.year != year || out.month != month ||
                    out.day != day || out.dayOfWeek != want || wd != want) {
                    ADD_FAILURE() << year << "-" << month << "-" << day << ": day number " << ret
                                  << "/" << n << " (want " << yday << "), back " << out.year << "-"
                                  << out.month << "-" << out.day << " weekday " << wd << "/"
                                  << out.dayOfWeek << " (want " << want << ")";
                    ++failures;
                }
            }
        }
        ASSERT_EQ(Days_in_Month(2), RefLeap(year) ? 29 : 28) << year;
    }
}

// The civil date of a day count since 1970-01-01 (inverse of the above).
void RefCivilFromDays(int64_t z, int64_t *y, int *m, int *d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *y = yoe + era * 400 + (*m <= 2);
}

// Day n counts from 1 January of the year passed in and lands on a real
// date however far it reaches, into earlier or later years.
TEST(ExhaustiveCalendar, EveryDayNumberOfEveryYearThroughJulianToDosd) {
    int failures = 0;
    for (int64_t year = 1; year <= 9999 && failures < 10; ++year) {
        const int64_t jan1 = RefDaysFromCivil(year, 1, 1);
        for (int32_t n = -800; n <= 800; ++n) {
            DosDate d{static_cast<uint16_t>(year), 77, 77, 77};
            const int32_t wd = JulianToDosd(n, &d);
            int64_t ey = 0;
            int em = 0, ed = 0;
            RefCivilFromDays(jan1 + n - 1, &ey, &em, &ed);
            const int ew = RefWeekday(jan1 + n - 1);
            // February follows the year passed in, whatever year was stored.
            const bool ok = d.year == static_cast<uint16_t>(ey) && d.month == em && d.day == ed &&
                            wd == ew && d.dayOfWeek == ew &&
                            Days_in_Month(2) == (RefLeap(year) ? 29 : 28);
            if (!ok) {
                ADD_FAILURE() << "day " << n << " of " << year << ": got " << d.year << "-"
                              << d.month << "-" << d.day << " weekday " << wd << "/" << d.dayOfWeek
                              << ", want " << ey << "-" << em << "-" << ed << " weekday " << ew;
                ++failures;
            }
        }
    }
}

TEST(ExhaustiveCalendar, DayNumbersLeavingTheYearRangeWrapTheYearWord) {
    const struct {
        uint16_t year;
        int32_t n;
        uint16_t wantYear;
    } cases[] = {{0, 0, 65535}, {0, -400, 65534}, {65535, 366, 0}, {65535, 800, 1}};
    for (const auto &c : cases) {
        DosDate d{c.year, 0, 0, 0};
        const int32_t wd = JulianToDosd(c.n, &d);
        const int64_t days = RefDaysFromCivil(c.year, 1, 1) + c.n - 1;
        int64_t ey = 0;
        int em = 0, ed = 0;
        RefCivilFromDays(days, &ey, &em, &ed);
        EXPECT_EQ(d.year, c.wantYear) << c.year << " " << c.n;
        EXPECT_EQ(d.month, em);
        EXPECT_EQ(d.day, ed);
        EXPECT_EQ(wd, RefWeekday(days));
    }
}

KALDER_TM TmOf(int32_t year, int32_t yday, int32_t hour, int32_t min, int32_t sec) {
    KALDER_TM tm{};
    tm.tm_year = year;
    tm.tm_yday = yday;
    tm.tm_hour = hour;
    tm.tm_min = min;
    tm.tm_sec = sec;
    tm.tm_mon = 5; // unused fields hold noise
    tm.tm_mday = 17;
    tm.tm_wday = 3;
    tm.tm_isdst = 1;
    return tm;
}

TEST(ExhaustiveCalendar, CalcDateSecondsMatchesTimegmEveryDayFrom1970To2037) {
    for (int64_t day = 0; day < RefDaysFromCivil(2038, 1, 1); ++day) {
        // A different time of day for every day; 2038-01-19 03:14:07 is the
        // last second a 32-bit value holds, so the clock stays below it.
        const time_t t = static_cast<time_t>(day * 86400 + (day * 7919) % 86400);
        if (t > INT32_MAX)
            break;
        struct tm g;
        ASSERT_NE(gmtime_r(&t, &g), nullptr);
        KALDER_TM k = TmOf(g.tm_year, g.tm_yday, g.tm_hour, g.tm_min, g.tm_sec);
        ASSERT_EQ(CalcDateSeconds(&k), static_cast<int32_t>(timegm(&g))) << "day " << day;
    }
}

// Seconds as the library must form them: every term in full, then wrapped
// modulo 2^32 into the signed 32-bit result.
int32_t RefSeconds(int32_t year, int32_t yday, int32_t hour, int32_t min, int32_t sec) {
    const int64_t yearDays = year > 70 ? RefDaysInYearsFrom1970(int64_t{year} - 70) : 0;
    const uint64_t s = static_cast<uint64_t>(yearDays) * 86400u +
                       static_cast<uint64_t>(int64_t{yday} * 86400) +
                       static_cast<uint64_t>(int64_t{hour} * 3600) +
                       static_cast<uint64_t>(int64_t{min} * 60) + static_cast<uint64_t>(sec);
    return static_cast<int32_t>(static_cast<uint32_t>(s));
}

TEST(ExhaustiveCalendar, CalcDateSecondsWrapsLikeA64BitSumForExtremeFields) {
    const int32_t years[] = {
        INT32_MIN,     -1,       0,    69,    70,    71,      137,     138,
        139,           200,      8099, 28100, 65535, 1 << 20, 1 << 30, INT32_MAX - 401,
        INT32_MAX - 1, INT32_MAX};
    const int32_t fields[] = {INT32_MIN, -86400, -1, 0, 1, 59, 365, 86399, INT32_MAX};
    for (int32_t y : years) {
        for (int32_t f : fields) {
            KALDER_TM a = TmOf(y, f, 0, 0, 0);
            EXPECT_EQ(CalcDateSeconds(&a), RefSeconds(y, f, 0, 0, 0)) << y << " yday " << f;
            KALDER_TM b = TmOf(y, 1, f, f, f);
            EXPECT_EQ(CalcDateSeconds(&b), RefSeconds(y, 1, f, f, f)) << y << " hms " << f;
        }
    }
    // Every year term in a wide band, against the closed form.
    for (int32_t y = 60; y < 40000; ++y) {
        KALDER_TM k = TmOf(y, 100, 1, 2, 3);
        ASSERT_EQ(CalcDateSeconds(&k), RefSeconds(y, 100, 1, 2, 3)) << y;
    }
}

TEST(ExhaustiveCalendar, SetTmJulianAgreesWithTheCivilCountEveryDay) {
    for (int64_t year = 1; year <= 9999; year += LongSweeps() ? 1 : 3) {
        const int64_t jan1 = RefDaysFromCivil(year, 1, 1);
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= RefMonthLength(year, month); ++day) {
                KALDER_TM tm = TmOf(static_cast<int32_t>(year - 1900), -5, 0, 0, 0);
                tm.tm_mon = month - 1;
                tm.tm_mday = day;
                const int32_t n = SetTmJulian(&tm);
                const int64_t want = RefDaysFromCivil(year, month, day) - jan1 + 1;
                ASSERT_EQ(n, want) << year << "-" << month << "-" << day;
                ASSERT_EQ(tm.tm_yday, want - 1);
                ASSERT_EQ(tm.tm_wday, 3); // never touched
            }
        }
    }
}

// Day numbers on both sides of each end of the 32-bit path, around the
// count at which its arithmetic (4 * count + 3 in 32 bits) would overflow,
// and the extremes, land where the reference puts them.
TEST(ExhaustiveCalendar, DayNumbersAtTheEdgesOfThe32BitPath) {
    for (const int64_t year : {0, 1970, 65535}) {
        const int64_t jan1 = RefDaysFromCivil(year, 1, 1);
        const int64_t firstCount = jan1 + kDayCountShift; // the count of day 1
        std::vector<int64_t> numbers = {INT32_MIN, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX};
        for (int64_t k = -2; k <= 2; ++k) {
            numbers.push_back(1 - firstCount + k);
            numbers.push_back(kDayCountLast - firstCount + 1 + k);
            numbers.push_back((int64_t{1} << 30) - firstCount + 1 + k);
        }
        for (const int64_t n : numbers) {
            DosDate d{static_cast<uint16_t>(year), 0, 0, 0};
            const int32_t wd = JulianToDosd(static_cast<int32_t>(n), &d);
            int64_t ey = 0;
            int em = 0, ed = 0;
            RefCivilFromDays(jan1 + n - 1, &ey, &em, &ed);
            EXPECT_EQ(d.year, static_cast<uint16_t>(ey)) << n << " in " << year;
            EXPECT_EQ(d.month, em) << n << " in " << year;
            EXPECT_EQ(d.day, ed) << n << " in " << year;
            EXPECT_EQ(wd, RefWeekday(jan1 + n - 1)) << n << " in " << year;
            EXPECT_EQ(d.dayOfWeek, wd);
        }
    }
}

} // namespace
