#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <initializer_list>

#include "calendar/civil.h"
#include "calendar/month_table.h"
#include "kalder32.h"
#include "record_snapshot.h"

namespace {

class CalendarTest : public ::testing::Test {
  protected:
    RecordSnapshot snapshot;
};

DosDate Date(uint16_t year, uint16_t month, uint16_t day) { return DosDate{year, month, 0, day}; }

TEST_F(CalendarTest, LeapRuleIncludingNegativeYears) {
    for (int64_t year : std::initializer_list<int64_t>{1996, 2000, 2400, 0, -4, -400, 4000000000LL})
        EXPECT_EQ(IsLeapYear(year), 1) << year;
    for (int64_t year :
         std::initializer_list<int64_t>{1900, 2001, 2100, 1, -1, -100, -1900, 4000000100LL})
        EXPECT_EQ(IsLeapYear(year), 0) << year;
}

// Every century from 1600 to 2800 through the exports: only those that 400
// divides have a 29th of February, whatever their other factors of two.
TEST_F(CalendarTest, CenturyYearsAreLeapOnlyEveryFourHundredYears) {
    for (int32_t year = 1600; year <= 2800; year += 100) {
        const bool leap = year % 400 == 0;
        EXPECT_EQ(CorrectLeapFromYear(year), leap ? 29 : 28) << year;
        const DosDate march1{static_cast<uint16_t>(year), 3, 0, 1};
        EXPECT_EQ(DosdToJulian(&march1, nullptr), leap ? 61 : 60) << year;
        DosDate back{static_cast<uint16_t>(year), 0, 0, 0};
        JulianToDosd(60, &back);
        EXPECT_EQ(back.month, leap ? 2 : 3) << year;
        EXPECT_EQ(back.day, leap ? 29 : 1) << year;
    }
}

TEST_F(CalendarTest, FebruaryFollowsTheLastLeapAwareOperation) {
    MonthDays[1] = 28;
    EXPECT_EQ(Days_in_Month(2), 28);
    EXPECT_EQ(CorrectLeapFromYear(2000), 29);
    EXPECT_EQ(Days_in_Month(2), 29);
    EXPECT_EQ(CorrectLeapFromYear(2100), 28);
    EXPECT_EQ(Days_in_Month(2), 28);
    const int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int32_t m = 1; m <= 12; ++m)
        EXPECT_EQ(Days_in_Month(m), lengths[m - 1]) << m;
}

TEST_F(CalendarTest, DaysInMonthOutsideTheYearIsZero) {
    for (int32_t m : {0, 13, -1, 14, INT32_MIN, INT32_MAX})
        EXPECT_EQ(Days_in_Month(m), 0) << m;
}

TEST_F(CalendarTest, YearWordsWidenUnsignedOrSignedAsEachExportSays) {
    // 65500 is a common year, while as a signed word it is -36, a leap year.
    const DosDate date = Date(65500, 1, 1);
    EXPECT_EQ(CorrectLeap(&date), 28);
    EXPECT_EQ(CorrectLeapFromYear(65500), 29);
    EXPECT_EQ(MonthDays[1], 29);
    // Only the low 16 bits of the argument count.
    EXPECT_EQ(CorrectLeapFromYear(0x10000 + 2001), 28);
    EXPECT_EQ(CorrectLeapFromYear(0x70000 + 2000), 29);
}

TEST_F(CalendarTest, DayNumberOfADate) {
    struct Case {
        DosDate date;
        int32_t expected;
        int32_t february;
    } cases[] = {
        {Date(2000, 3, 1), 61, 29},      {Date(1999, 3, 1), 60, 28},
        {Date(2000, 12, 31), 366, 29},   {Date(1999, 0, 17), 17, 28},
        {Date(1999, 1, 17), 17, 28},     {Date(1999, 2, 31), 62, 28},
        {Date(2000, 13, 5), 371, 29},    {Date(2000, 14, 5), 371, 29},
        {Date(1999, 65535, 1), 366, 28}, {Date(1999, 12, 65535), 65535 + 334, 28},
    };
    for (const Case &c : cases) {
        int32_t stored = -7;
        EXPECT_EQ(DosdToJulian(&c.date, &stored), c.expected) << c.date.month << "/" << c.date.day;
        EXPECT_EQ(stored, c.expected);
        EXPECT_EQ(Days_in_Month(2), c.february);
    }
}

struct Expected {
    int32_t n;
    uint16_t yearIn;
    uint16_t year, month, day, weekday;
};

TEST_F(CalendarTest, DayNumbersBecomeRealDates) {
    const Expected cases[] = {
        {60, 2000, 2000, 2, 29, 2},    {60, 1999, 1999, 3, 1, 1},   {365, 1999, 1999, 12, 31, 5},
        {366, 1999, 2000, 1, 1, 6},    {400, 1999, 2000, 2, 4, 5},  {0, 2000, 1999, 12, 31, 5},
        {-1, 2001, 2000, 12, 30, 6},   {-1, 2004, 2003, 12, 30, 2}, {-400, 2001, 1999, 11, 27, 6},
        {1, 1970, 1970, 1, 1, 4},      {31, 1999, 1999, 1, 31, 0},  {32, 1999, 1999, 2, 1, 1},
        {-365, 2000, 1998, 12, 31, 4},
    };
    for (const Expected &c : cases) {
        DosDate date{c.yearIn, 77, 9, 77};
        EXPECT_EQ(JulianToDosd(c.n, &date), c.weekday) << c.n << " in " << c.yearIn;
        EXPECT_EQ(date.year, c.year) << c.n << " in " << c.yearIn;
        EXPECT_EQ(date.month, c.month) << c.n << " in " << c.yearIn;
        EXPECT_EQ(date.day, c.day) << c.n << " in " << c.yearIn;
        EXPECT_EQ(date.dayOfWeek, c.weekday) << c.n << " in " << c.yearIn;
        EXPECT_EQ(MonthDays[1], 28 + IsLeapYear(c.yearIn)) << "February follows the year passed in";
    }
}

// An independent reference: walk day by day from 1 January, and take the
// weekday from Sakamoto's formula.
int SakamotoWeekday(int64_t y, int m, int d) {
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3)
        y -= 1;
    y += 400 * 1000; // whole 400-year cycles keep the weekday; the formula wants y > 0
    const int64_t w = (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
    return static_cast<int>(w);
}

void WalkFromNewYear(int64_t year, int32_t n, int64_t *y, int *m, int *d) {
    auto length = [](int64_t yy, int mm) {
        static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return mm == 2 ? 28 + IsLeapYear(yy) : days[mm - 1];
    };
    *y = year, *m = 1, *d = 1;
    for (; n > 1; --n) {
        if (++*d > length(*y, *m)) {
            *d = 1;
            if (++*m > 12)
                *m = 1, ++*y;
        }
    }
    for (; n < 1; ++n) {
        if (--*d < 1) {
            if (--*m < 1)
                *m = 12, --*y;
            *d = length(*y, *m);
        }
    }
}

TEST_F(CalendarTest, DayNumbersAgreeWithAWalkAcrossManyYears) {
    for (uint16_t year :
         {1, 399, 400, 1582, 1899, 1900, 1999, 2000, 2003, 2004, 2100, 9999, 40000}) {
        for (int32_t n = -800; n <= 1200; n += 7) {
            int64_t y;
            int m, d;
            WalkFromNewYear(year, n, &y, &m, &d);
            DosDate date{year, 0, 0, 0};
            const int32_t weekday = JulianToDosd(n, &date);
            ASSERT_EQ(date.year, static_cast<uint16_t>(y)) << n << " in " << year;
            ASSERT_EQ(date.month, m) << n << " in " << year;
            ASSERT_EQ(date.day, d) << n << " in " << year;
            ASSERT_EQ(weekday, SakamotoWeekday(y, m, d)) << n << " in " << year;
        }
    }
}

TEST_F(CalendarTest, YearWordWrapsOnlyWhenTheDateLeavesItsRange) {
    DosDate date{65535, 0, 0, 0};
    JulianToDosd(366, &date); // 65535 is a common year
    EXPECT_EQ(date.year, 0);
    EXPECT_EQ(date.month, 1);
    EXPECT_EQ(date.day, 1);
    EXPECT_EQ(MonthDays[1], 28);

    date = DosDate{0, 0, 0, 0};
    JulianToDosd(0, &date);
    EXPECT_EQ(date.year, 65535);
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.day, 31);
    EXPECT_EQ(MonthDays[1], 29) << "year 0 is a leap year";
}

TEST_F(CalendarTest, ExtremeDayNumbersKeepTheFourHundredYearCycle) {
    // 400 Gregorian years are exactly 146097 days, a whole number of weeks.
    constexpr int32_t kCycle = 146097;
    constexpr int32_t kCycles = INT32_MAX / kCycle;
    DosDate start{2000, 0, 0, 0};
    const int32_t weekday = JulianToDosd(1, &start);

    DosDate later{2000, 0, 0, 0};
    EXPECT_EQ(JulianToDosd(1 + kCycles * kCycle, &later), weekday);
    EXPECT_EQ(later.year, static_cast<uint16_t>(2000 + int64_t{kCycles} * 400));
    EXPECT_EQ(later.month, 1);
    EXPECT_EQ(later.day, 1);

    DosDate earlier{2000, 0, 0, 0};
    EXPECT_EQ(JulianToDosd(1 - kCycles * kCycle, &earlier), weekday);
    EXPECT_EQ(earlier.year, static_cast<uint16_t>(2000 - int64_t{kCycles} * 400));
    EXPECT_EQ(earlier.month, 1);
    EXPECT_EQ(earlier.day, 1);

    for (int32_t n : {INT32_MIN, INT32_MAX}) {
        DosDate date{0, 0, 0, 0};
        const int32_t w = JulianToDosd(n, &date);
        EXPECT_GE(w, 0);
        EXPECT_LE(w, 6);
        EXPECT_GE(date.month, 1);
        EXPECT_LE(date.month, 12);
        EXPECT_GE(date.day, 1);
        EXPECT_LE(date.day, 31);
    }
}

TEST_F(CalendarTest, CivilDaysCountDayZeroAsThePreviousDay) {
    EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(DaysFromCivil(2000, 3, 0), DaysFromCivil(2000, 2, 29));
    EXPECT_EQ(DaysFromCivil(2000, 1, 0), DaysFromCivil(1999, 12, 31));
    int64_t year;
    unsigned month, day;
    CivilFromDays(DaysFromCivil(-4713, 11, 24), &year, &month, &day);
    EXPECT_EQ(year, -4713);
    EXPECT_EQ(month, 11u);
    EXPECT_EQ(day, 24u);
}

KALDER_TM Tm(int32_t year, int32_t mon, int32_t mday) {
    KALDER_TM tm{};
    tm.tm_year = year;
    tm.tm_mon = mon;
    tm.tm_mday = mday;
    tm.tm_wday = 3;
    return tm;
}

TEST_F(CalendarTest, DayOfYearOfAStructTm) {
    KALDER_TM tm = Tm(100, 1, 29);
    EXPECT_EQ(SetTmJulian(&tm), 60);
    EXPECT_EQ(tm.tm_yday, 59);
    EXPECT_EQ(tm.tm_wday, 3);
    EXPECT_EQ(MonthDays[1], 29);

    tm = Tm(99, 11, 31);
    EXPECT_EQ(SetTmJulian(&tm), 365);
    EXPECT_EQ(tm.tm_yday, 364);
    EXPECT_EQ(MonthDays[1], 28);
}

TEST_F(CalendarTest, MonthOfAStructTmIsClamped) {
    struct Case {
        int32_t mon;
        int32_t expected;
    } cases[] = {{12, 367}, {13, 367}, {INT32_MAX, 367}, {-1, 1}, {INT32_MIN, 1}};
    for (const Case &c : cases) {
        KALDER_TM tm = Tm(100, c.mon, 1);
        EXPECT_EQ(SetTmJulian(&tm), c.expected) << c.mon;
    }
    // tm_year near the top of its range must not overflow when widened.
    KALDER_TM tm = Tm(INT32_MAX, 0, INT32_MAX);
    EXPECT_EQ(SetTmJulian(&tm), INT32_MAX);
    EXPECT_EQ(tm.tm_yday, INT32_MAX - 1);
}

// The year loop the seconds are defined by, for comparison.
KALDER_TIME LoopSeconds(const KALDER_TM &tm) {
    uint32_t s = 0;
    for (int64_t y = 70; y < tm.tm_year; ++y)
        s += static_cast<uint32_t>(365 + IsLeapYear(1900 + y)) * 86400u;
    s += static_cast<uint32_t>(tm.tm_yday) * 86400u + static_cast<uint32_t>(tm.tm_hour) * 3600u +
         static_cast<uint32_t>(tm.tm_min) * 60u + static_cast<uint32_t>(tm.tm_sec);
    return static_cast<KALDER_TIME>(s);
}

KALDER_TM Seconds(int32_t year, int32_t yday, int32_t hour, int32_t min, int32_t sec) {
    KALDER_TM tm{};
    tm.tm_year = year;
    tm.tm_yday = yday;
    tm.tm_hour = hour;
    tm.tm_min = min;
    tm.tm_sec = sec;
    return tm;
}

TEST_F(CalendarTest, SecondsSince1970) {
    KALDER_TM tm = Seconds(70, 0, 0, 0, 0);
    EXPECT_EQ(CalcDateSeconds(&tm), 0);
    tm = Seconds(100, 0, 0, 0, 0);
    tm.tm_mon = 7;
    tm.tm_mday = 19;
    EXPECT_EQ(CalcDateSeconds(&tm), 946684800);
    tm = Seconds(69, 364, 0, 0, 0);
    EXPECT_EQ(CalcDateSeconds(&tm), 31449600);
    tm = Seconds(138, 18, 3, 14, 7);
    EXPECT_EQ(CalcDateSeconds(&tm), INT32_MAX);
    tm.tm_sec = 8;
    EXPECT_EQ(CalcDateSeconds(&tm), INT32_MIN);
    tm = Seconds(-5, -1, -1, -1, -1);
    EXPECT_EQ(CalcDateSeconds(&tm), -86400 - 3600 - 60 - 1);
}

TEST_F(CalendarTest, SecondsMatchTheYearLoopEverywhere) {
    for (int32_t year = 0; year < 3000; year += 13) {
        const KALDER_TM tm = Seconds(year, 200, 5, 6, 7);
        ASSERT_EQ(CalcDateSeconds(&tm), LoopSeconds(tm)) << year;
    }
    for (int32_t year : {100000, 1234567}) {
        const KALDER_TM tm = Seconds(year, 365, 23, 59, 59);
        EXPECT_EQ(CalcDateSeconds(&tm), LoopSeconds(tm)) << year;
    }
    const KALDER_TM big = Seconds(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
    const KALDER_TM early = Seconds(INT32_MAX - 400, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
    // 400 more years add exactly 146097 days, wrapped like everything else.
    EXPECT_EQ(static_cast<uint32_t>(CalcDateSeconds(&big)) -
                  static_cast<uint32_t>(CalcDateSeconds(&early)),
              146097u * 86400u);
}

} // namespace
