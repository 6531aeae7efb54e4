// The fast paths against plain references: the general plan runner against
// a printf reference at every output size, the short date's three-number
// path against the general runner, the 32-bit calendar path at the edges of
// its range, the kept delimiter table when the separator changes, the
// straight-line cut of typed numbers against the general cut, and the
// 32-bit UTC breakdown.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "calendar/civil.h"
#include "calendar/month_table.h"
#include "format/long_date.h"
#include "format/long_date_names.h"
#include "format/plan.h"
#include "kalder32.h"
#include "library_fixture.h"
#include "parse/tokens.h"
#include "record_snapshot.h"
#include "settings/analyse/format_builder.h"
#include "settings/analyse/pictures.h"
#include "settings/read/read_settings.h"

namespace {

// The text printf gives for format with the four values of the long date,
// for a format that holds only the conversions a plan knows.
std::string Reference(const char *format, const fmt::Arg *args, int argCount) {
    std::string text;
    int next = 0;
    for (const char *p = format; *p;) {
        if (p[0] == '%' && p[1] == '%') {
            text += '%';
            p += 2;
            continue;
        }
        const bool isInt = p[0] == '%' && p[1] == 'd';
        const bool isInt2 = p[0] == '%' && p[1] == '0' && p[2] == '2' && p[3] == 'd';
        const bool isText = p[0] == '%' && p[1] == 's';
        if (!isInt && !isInt2 && !isText) {
            text += *p++;
            continue;
        }
        p += isInt2 ? 4 : 2;
        if (next >= argCount)
            break;
        const fmt::Arg &arg = args[next++];
        char digits[16];
        if (isText && arg.isText)
            text += arg.s;
        else if (!isText && !arg.isText) {
            std::snprintf(digits, sizeof digits, isInt2 ? "%02d" : "%d", arg.i);
            text += digits;
        }
    }
    return text;
}

TEST(FastPaths, PlansGiveThePrintfTextCutToEveryOutputSize) {
    const char *formats[] = {"%s, %s %02d, %d",   "%s%d. %s %d",         "%s %d-%02d-%s",
                             "%d/%d/%02d",        "%02d%%%02d%%%02d",    "%s%s%s%02d%s%s",
                             "%stail%d end",      "%s123456789abcdef%d", "%s123456789abcdefg%d",
                             "%d.%d.%d.%d.%d.%d", "%s|%d|%s|%d|%s",      "plain text only"};
    static const char weekday[64] = "Wednesday";
    static const char month[64] = "September";
    const fmt::Arg values[][4] = {
        {fmt::PaddedTextArg(weekday, 9), fmt::PaddedTextArg(month, 9), fmt::IntArg(5),
         fmt::IntArg(2024)},
        {fmt::TextArg(weekday, 9), fmt::IntArg(-7), fmt::TextArg(month, 9), fmt::IntArg(INT_MIN)},
        {fmt::IntArg(65535), fmt::IntArg(9), fmt::IntArg(10000), fmt::IntArg(99)}};
    for (const char *format : formats) {
        const fmt::Plan plan = fmt::Compile(format);
        for (const auto &args : values) {
            const std::string full = Reference(format, args, 4);
            for (size_t cap = 1; cap <= 48; ++cap) {
                char out[64 + 16];
                std::memset(out, '#', sizeof out);
                const size_t len = fmt::Run(plan, args, 4, out, cap);
                const std::string want = full.substr(0, cap - 1);
                ASSERT_EQ(std::string(out, len), want) << format << " cap " << cap;
                ASSERT_EQ(out[len], '\0');
            }
        }
    }
}

TEST(FastPaths, ThreeNumbersMatchTheGeneralInterpreter) {
    const uint16_t samples[] = {0, 1, 9, 10, 59, 99, 100, 999, 1000, 1999, 9999, 10000, 65535};
    for (const char *format :
         {"%d/%d/%d", "%02d.%02d.%02d", "%d-- . %02d-- . %d", "%02d%%%d%%%02d"}) {
        const fmt::Plan plan = fmt::Compile(format);
        ASSERT_TRUE(plan.threeNumbers) << format;
        for (uint16_t a : samples) {
            for (uint16_t b : samples) {
                const uint16_t c = static_cast<uint16_t>(a ^ b);
                const fmt::Arg args[3] = {fmt::IntArg(a), fmt::IntArg(b), fmt::IntArg(c)};
                char general[40];
                char fast[40];
                fmt::Run(plan, args, 3, general, sizeof general);
                const size_t len = fmt::RunThreeNumbers(plan, a, b, c, fast);
                ASSERT_STREQ(fast, general) << format;
                ASSERT_EQ(len, std::strlen(general));
            }
        }
    }
    EXPECT_FALSE(fmt::Compile("%d/%d/%d!").threeNumbers) << "a trailing literal";
    EXPECT_FALSE(fmt::Compile("%d123456789%d/%d").threeNumbers) << "a literal over 8";
    EXPECT_FALSE(fmt::Compile("%d/%s/%d").threeNumbers);
}

// The long date's register path against the plan runner alone, over random
// forms (separators of 0 to 9 characters, every order, weekday and month
// style, names of 0 to 60 characters) and dates on both sides of every
// limit of the path.
TEST(FastPaths, LongDateRegisterPathMatchesThePlanRunner) {
    const char *separators[] = {"", " ", ", ", "%", "de ", "123456789"};
    const size_t nameLengths[] = {0, 1, 3, 9, 15, 16, 17, 30, 60};
    const int32_t days[] = {-1, 0, 5, 9, 10, 31, 99, 100};
    const int32_t months[] = {-1, 0, 8, 11, 12, 98, 99};
    const int32_t years[] = {-1900, -1801, 0, 99, 100, 124, 8099, 8100, 2000000};
    auto form = std::make_unique<LongDateForm>();
    uint32_t seed = 1;
    const auto pick = [&seed](size_t n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<size_t>(seed >> 8) % n;
    };
    std::string names[38];
    for (int round = 0; round < 2000; ++round) {
        WINDATESTRUC r{};
        r.iLongOrder = static_cast<int32_t>(pick(3));
        r.iDayName = static_cast<int32_t>(pick(4));
        r.iMonthStyle = static_cast<int32_t>(pick(5));
        r.bLongFullYear = static_cast<int32_t>(pick(2));
        r.bLongDayLZero = static_cast<int32_t>(pick(2));
        std::strcpy(r.szDaySep, separators[pick(std::size(separators))]);
        std::strcpy(r.szFirstSep, separators[pick(std::size(separators))]);
        std::strcpy(r.szSecondSep, separators[pick(std::size(separators))]);
        BuildLongFormat(r);
        SetLongDateForm(*form, r);
        const char *table[38];
        for (size_t i = 0; i < std::size(names); ++i) {
            names[i] = std::string(nameLengths[pick(std::size(nameLengths))], char('a' + i % 26));
            table[i] = names[i].c_str();
        }
        fmt::KeepNames(form->names, table, table + 7, table + 14, table + 26);
        for (int call = 0; call < 64; ++call) {
            KALDER_TM date{};
            date.tm_mday = days[pick(std::size(days))];
            date.tm_mon = months[pick(std::size(months))];
            date.tm_year = years[pick(std::size(years))];
            date.tm_wday = static_cast<int32_t>(pick(9)) - 1;
            char fast[40], general[40];
            ASSERT_EQ(FormatLongDate(*form, date, fast), fast);
            ASSERT_EQ(FormatLongDateThroughPlan(*form, date, general), general);
            ASSERT_STREQ(fast, general) << r.szLongFmt << " round " << round;
        }
    }
}

// Around both ends of the 32-bit range and far outside it, every day maps
// back to itself and follows the day before it.
TEST(FastPaths, CivilDaysAreContinuousAcrossTheEdgesOfThe32BitPath) {
    const int64_t edges[] = {-719468 - 146097, 1000000000 - 719468 - 146097, 0, int64_t{1} << 40,
                             -(int64_t{1} << 40)};
    for (int64_t edge : edges) {
        int64_t year = 0;
        unsigned month = 0, day = 0;
        CivilFromDays(edge - 41, &year, &month, &day);
        unsigned weekday = WeekdayFromDays(edge - 41);
        for (int64_t days = edge - 40; days <= edge + 40; ++days) {
            int64_t y = 0;
            unsigned m = 0, d = 0;
            CivilFromDays(days, &y, &m, &d);
            ASSERT_EQ(DaysFromCivil(y, m, d), days);
            const bool nextDay = (y == year && m == month && d == day + 1);
            const bool nextMonth = (y == year && m == month + 1 && d == 1 && day >= 28);
            const bool nextYear = (y == year + 1 && m == 1 && d == 1 && month == 12 && day == 31);
            ASSERT_TRUE(nextDay || nextMonth || nextYear) << days;
            const unsigned w = WeekdayFromDays(days);
            ASSERT_EQ(w, (weekday + 1) % 7) << days;
            year = y, month = m, day = d, weekday = w;
        }
    }
}

TEST(FastPaths, UtcBreakdownUsesFloorArithmeticAtTheLimits) {
    struct Case {
        int32_t t;
        int64_t midnight;
        int32_t hour, minute;
    } cases[] = {{0, 0, 0, 0},
                 {-1, -86400, 23, 59},
                 {-86400, -86400, 0, 0},
                 {-86401, -172800, 23, 59},
                 {INT32_MAX, 2147472000, 3, 14},
                 {INT32_MIN, -2147558400, 20, 45}};
    for (const Case &c : cases) {
        int32_t hour = -1, minute = -1;
        UtcHourMinute(c.t, &hour, &minute);
        EXPECT_EQ(UtcMidnight(c.t), c.midnight) << c.t;
        EXPECT_EQ(hour, c.hour) << c.t;
        EXPECT_EQ(minute, c.minute) << c.t;
    }
}

// The long date reads a short name shifted by up to 32 places either way
// and takes its length from the table: every kept name has NULs all around
// its text, and a longer one is kept whole up to its work area.
TEST(KeptNames, ShortNamesArePaddedLongOnesCut) {
    auto names = std::make_unique<fmt::LongDateNames>();
    for (size_t len = 0; len <= 70; ++len) {
        const std::string text(len, 'x');
        const char *day[7] = {text.c_str(), nullptr, "", "a", "b", "c", "d"};
        const char *month[12] = {text.c_str()};
        fmt::KeepNames(*names, day, day, month, month);
        for (fmt::NameKind kind : {fmt::NameKind::Day, fmt::NameKind::Month}) {
            const size_t entry = fmt::NameEntry(kind, 0);
            EXPECT_EQ(names->length[entry], std::min<size_t>(len, 16)) << len;
            const char *padded = names->padded + fmt::kPadBefore + entry * fmt::kPaddedStride;
            const size_t held = len < 16 ? len : 0;
            EXPECT_EQ(std::string(padded - fmt::kPadBefore, fmt::kPadBefore + 16 + fmt::kPadAfter),
                      std::string(fmt::kPadBefore, '\0') + text.substr(0, held) +
                          std::string(16 - held + fmt::kPadAfter, '\0'))
                << len;
        }
        if (len >= 16) {
            EXPECT_EQ(names->longWeekdays[0], text.substr(0, 59));
            EXPECT_EQ(names->longMonths[0], text.substr(0, 19));
        }
        EXPECT_EQ(names->length[fmt::NameEntry(fmt::NameKind::Day, 1)], 0) << "no name";
        EXPECT_EQ(names->length[fmt::NameEntry(fmt::NameKind::Day, 2)], 0) << "empty name";
    }
}

class KeptDelimiters : public LibraryTest {
  protected:
    RecordSnapshot snapshot_;
};

// The delimiter table is made with the settings; every change of the
// separator, also one that only shortens it, must show in the next parse.
TEST_F(KeptDelimiters, FollowEveryChangeOfTheSeparator) {
    ChangeRecord([](WINDATESTRUC &r) { r.iShortOrder = 0; });
    const auto parses = [](const char *text) {
        DosDate d{};
        const bool ok = ParseDosDateFormatString(&d, text) == 0;
        host::ClearMessageBoxes();
        return ok && d.year == 1999 && d.month == 12 && d.day == 25;
    };
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sDate, "/"); });
    EXPECT_TRUE(parses("12/25/1999"));
    EXPECT_FALSE(parses("12-25-1999"));
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sDate, "-"); });
    EXPECT_TRUE(parses("12-25-1999"));
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sDate, "-x"); });
    EXPECT_TRUE(parses("12x25-1999"));
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sDate, "-"); });
    EXPECT_FALSE(parses("12x25-1999"));
    // Bytes after the separator's NUL play no part.
    ChangeRecord([](WINDATESTRUC &r) { std::memcpy(r.sDate, "-\0zzzzzzz", 10); });
    EXPECT_TRUE(parses("12-25-1999"));
    EXPECT_FALSE(parses("12z25z1999"));
    // A digit as separator cuts numbers apart.
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sDate, "0"); });
    EXPECT_TRUE(parses("12025019990"));
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sDate, ""); });
    EXPECT_FALSE(parses("12025019990"));
    EXPECT_TRUE(parses("12/25/1999"));

    int32_t hour = 0, minute = 0;
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sTime, "h"); });
    EXPECT_EQ(ParseTimeHrMin(&hour, &minute, "10h30"), 0);
    EXPECT_EQ(minute, 30);
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sTime, ":"); });
    EXPECT_EQ(ParseTimeHrMin(&hour, &minute, "10h30"), 0);
    EXPECT_EQ(minute, 0);
}

// Where the straight-line cut takes text at the fixed delimiters and the
// separator, it gives the general cut's tokens, values and work area at the
// full set byte for byte.  Returns whether it took it.
template <int max, size_t maxDigits>
bool CutsAlike(const std::string &text, const tok::FixedAndOne &oneMore,
               const tok::DelimiterSet &set) {
    char fast[100], general[100];
    std::memset(fast, 'Z', sizeof fast);
    std::memset(general, 'Z', sizeof general);
    int32_t values[max] = {};
    const int found = tok::CutShortNumbers<max, maxDigits>(fast, text.c_str(), oneMore, values);
    if (found < 0)
        return false;
    tok::Token tokens[max];
    EXPECT_EQ(tok::CopyAndCut(general, sizeof general, text.c_str(), set, tokens, max), found)
        << text;
    for (int t = 0; t < found; ++t) {
        EXPECT_TRUE(tokens[t].digitsOnly) << text;
        EXPECT_EQ(tokens[t].value, values[t]) << text;
        EXPECT_LE(std::strlen(tokens[t].text), maxDigits) << text;
    }
    EXPECT_EQ(std::memcmp(fast, general, sizeof fast), 0) << text;
    return true;
}

// Every text of up to seven characters over digits, delimiters and other
// characters, then numbers of zero to five digits joined and followed by
// every kind of separator, so that the longest numbers are reached too.
template <int max, size_t maxDigits>
void ExpectSameCutsAsTheGeneralCut(const char *fixed, char separator, const char *alphabet) {
    const tok::DelimiterSet fixedSet = tok::MakeFixed(fixed).set;
    const tok::FixedAndOne oneMore{fixedSet, separator};
    const tok::DelimiterSet set = tok::MakeFixed((std::string(fixed) + separator).c_str()).set;
    const size_t letters = std::strlen(alphabet);
    long taken = 0;
    for (size_t length = 0; length <= 7; ++length) {
        size_t combinations = 1;
        for (size_t k = 0; k < length; ++k)
            combinations *= letters;
        for (size_t n = 0; n < combinations; ++n) {
            std::string text;
            for (size_t k = 0, rest = n; k < length; ++k, rest /= letters)
                text += alphabet[rest % letters];
            taken += CutsAlike<max, maxDigits>(text, oneMore, set);
        }
    }
    const std::string numbers[] = {"", "7", "12", "345", "6789", "20241"};
    const std::string joins[] = {
        "", std::string(1, fixed[0]), std::string(1, separator), "a", "//", " /"};
    const size_t nn = std::size(numbers), nj = std::size(joins);
    size_t cases = nj;
    for (int k = 0; k < max; ++k)
        cases *= nn * nj;
    for (size_t n = 0; n < cases; ++n) {
        std::string text;
        size_t rest = n;
        for (int k = 0; k < max; ++k, rest /= nn * nj)
            text += numbers[rest % nn] + joins[rest / nn % nj];
        text += joins[rest % nj];
        taken += CutsAlike<max, maxDigits>(text, oneMore, set);
    }
    EXPECT_GT(taken, 1000);
}

TEST(FastPaths, StraightCutOfTypedNumbersMatchesTheGeneralCut) {
    ExpectSameCutsAsTheGeneralCut<3, 4>("/, \\", '-', "1907/- a");
    ExpectSameCutsAsTheGeneralCut<2, 2>("./, \\:", 'h', "0529:. h");
}

} // namespace
