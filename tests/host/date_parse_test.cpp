#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "calendar/civil.h"
#include "calendar/month_table.h"
#include "kalder32.h"
#include "library_fixture.h"
#include "record_snapshot.h"

using Strings = std::vector<std::string>;

namespace {

class DateParseTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        UseOrder(0, "/");
    }
    static void UseOrder(int32_t order, const char *separator) {
        ChangeRecord([&](WINDATESTRUC &r) {
            r.iShortOrder = order;
            std::strcpy(r.sDate, separator);
        });
    }
    // Parses text into a record preset with a sentinel.
    int Parse(const char *text) {
        parsed = DosDate{0xAAAA, 0xBBBB, 0xCCCC, 0xDDDD};
        return ParseDosDateFormatString(&parsed, text);
    }
    void ExpectDate(const char *text, int year, int month, int day) {
        SCOPED_TRACE(text);
        ASSERT_EQ(Parse(text), 0);
        EXPECT_EQ(parsed.year, year);
        EXPECT_EQ(parsed.month, month);
        EXPECT_EQ(parsed.day, day);
        EXPECT_EQ(parsed.dayOfWeek, 0xCCCC);
        EXPECT_TRUE(TakeBoxes().empty());
    }
    // One warning with the given text, and the record untouched.
    void ExpectRefused(const char *text, const std::string &warning) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Parse(text), -1);
        EXPECT_EQ(TakeBoxes(), Strings{warning});
        EXPECT_EQ(parsed.year, 0xAAAA);
        EXPECT_EQ(parsed.month, 0xBBBB);
        EXPECT_EQ(parsed.day, 0xDDDD);
    }
    DosDate parsed{};
};

TEST_F(DateParseTest, AnyRunOfDelimitersSeparatesTheElements) {
    for (const char *text : {"12/25/99", "12 25 1999", "12,25,1999", "12\\25\\1999", "12//25//1999",
                             " /12, 25\\ 1999/ ", "12/25/1999/7/8"})
        ExpectDate(text, 1999, 12, 25);
    // The hyphen is no delimiter unless it is the date separator.
    ExpectRefused("12-25-1999", "day 0");
    UseOrder(0, "-");
    ExpectDate("12-25-1999", 1999, 12, 25);
    UseOrder(0, "");
    ExpectDate("12/25/1999", 1999, 12, 25);
    UseOrder(0, "*#");
    ExpectDate("12#25*1999", 1999, 12, 25);
}

TEST_F(DateParseTest, ElementOrderFollowsTheShortPicture) {
    UseOrder(1, ".");
    ExpectDate("25.12.1999", 1999, 12, 25);
    ExpectRefused("12.25.1999", "month 25");
    UseOrder(2, "/");
    ExpectDate("1999/12/25", 1999, 12, 25);
    ExpectDate("99/1/2", 1999, 1, 2);
}

// A digit in the separator makes that digit a delimiter, so a text is read
// in the order of the short picture with the digit cutting numbers apart,
// never by a reader that takes the digit for part of a number.
TEST_F(DateParseTest, ADigitInTheSeparatorCutsNumbers) {
    UseOrder(0, "0");
    ExpectRefused("1999/12/25", "month 1999");
    ExpectDate("12/25/99", 1999, 12, 25);
    ExpectDate("12/25/2000", 2002, 12, 25);
}

TEST_F(DateParseTest, TokensAreReadLeniently) {
    ExpectDate("12th/25/99", 1999, 12, 25);
    ExpectDate("+12/\t25/0000001999", 1999, 12, 25);
    ExpectDate("000000000012/25/1999", 1999, 12, 25);
    ExpectDate("1/1", 2000, 1, 1);
    ExpectDate("1/1/word", 2000, 1, 1);
    ExpectRefused("jan/1/2000", "month 0");
    ExpectRefused("", "month 0");
    ExpectRefused(nullptr, "month 0");
}

TEST_F(DateParseTest, TwoDigitYearsArePlacedInTheirCentury) {
    ExpectDate("1/1/0", 2000, 1, 1);
    ExpectDate("1/1/59", 2059, 1, 1);
    ExpectRefused("1/1/60", "year 1960"); // not 2060
    ExpectDate("1/1/0045", 2045, 1, 1);
    ExpectDate("1/1/99", 1999, 1, 1);
    ExpectDate("1/1/80", 1980, 1, 1);
    ExpectRefused("1/1/75", "year 1975");
    ExpectRefused("1/1/100", "year 100");
    ExpectDate("1/1/1980", 1980, 1, 1);
    ExpectDate("12/31/2100", 2100, 12, 31);
    ExpectRefused("1/1/1979", "year 1979");
    ExpectRefused("1/1/2101", "year 2101");
}

TEST_F(DateParseTest, DayLimitFollowsTheMonthAndTheTypedYear) {
    ExpectDate("1/31/2001", 2001, 1, 31);
    ExpectRefused("1/32/2000", "day 32");
    ExpectRefused("4/31/2000", "day 31");
    ExpectRefused("1/0/2000", "day 0");
    ExpectDate("2/29/2000", 2000, 2, 29);
    ExpectDate("2/29/2024", 2024, 2, 29);
    ExpectRefused("2/29/2100", "day 29");
    ExpectRefused("2/29/2023", "day 29");
    ExpectRefused("2/29/1900", "year 1900");
}

TEST_F(DateParseTest, FebruaryFollowsTheTypedYearEvenWhenTheParseFails) {
    ExpectRefused("2/30/2000", "day 30");
    EXPECT_EQ(MonthDays[1], 29);
    ExpectRefused("13/1/2023", "month 13");
    EXPECT_EQ(MonthDays[1], 28);
    ExpectRefused("1/1/1904", "year 1904");
    EXPECT_EQ(MonthDays[1], 29);
    ExpectDate("2/28/99", 1999, 2, 28);
    EXPECT_EQ(MonthDays[1], 28);
}

TEST_F(DateParseTest, OnlyTheFirstFailingValueIsReported) {
    ExpectRefused("13/32/1975", "year 1975");
    ExpectRefused("13/32/2000", "month 13");
    ExpectRefused("0/0/0", "month 0");
}

TEST_F(DateParseTest, TypedValuesAreTestedBeforeTheyAreNarrowed) {
    ExpectRefused("65537/1/2000", "month 65537");
    ExpectRefused("1/1/67536", "year 67536");
    ExpectRefused("-1/1/2000", "month -1");
    ExpectRefused("1/65537/2000", "day 65537");
    ExpectRefused("1/-31/2000", "day -31");
    // A negative year is not a two-digit year.
    ExpectRefused("1/1/-5", "year -5");
    ExpectRefused("1/1/-2000", "year -2000");
    ExpectRefused("1/1/99999999999", "year " + std::to_string(INT_MAX));
    ExpectRefused("1/1/-99999999999", "year " + std::to_string(INT_MIN));
    ExpectRefused("4294967297/1/2000", "month " + std::to_string(INT_MAX));
}

TEST_F(DateParseTest, LongTextIsReadFromItsFirst99Characters) {
    // The year begins at index 97; only its first two digits are read.
    std::string text = "1/2/" + std::string(93, ' ') + "1999";
    ASSERT_EQ(text.size(), 101u);
    ExpectDate(text.c_str(), 2019, 1, 2);
    std::string caller = text;
    Parse(caller.c_str());
    EXPECT_EQ(caller, text);
}

TEST_F(DateParseTest, WarningIsOwnedByTheFocusWindow) {
    host::SetFocusWindow(nullptr);
    EXPECT_EQ(Parse("1/1/1979"), -1);
    host::SetFocusWindow(kFocus);
    EXPECT_EQ(Parse("1/32/2000"), -1);
    const auto &boxes = host::MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[1].owner, kFocus);
    EXPECT_EQ(boxes[1].text, "day 32");
    EXPECT_EQ(boxes[1].caption, "Caption");
    EXPECT_EQ(boxes[1].style, 0x30u);
}

TEST_F(DateParseTest, TmReceivesOnlyTheDateFields) {
    KALDER_TM tm{1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_EQ(ParseDateFormatString(&tm, "12/25/1999"), 0);
    EXPECT_EQ(tm.tm_year, 99);
    EXPECT_EQ(tm.tm_mon, 11);
    EXPECT_EQ(tm.tm_mday, 25);
    EXPECT_EQ(tm.tm_sec, 1);
    EXPECT_EQ(tm.tm_min, 2);
    EXPECT_EQ(tm.tm_hour, 3);
    EXPECT_EQ(tm.tm_wday, 7);
    EXPECT_EQ(tm.tm_yday, 8);
    EXPECT_EQ(tm.tm_isdst, 9);
    ASSERT_EQ(ParseDateFormatString(&tm, "1/1/2050"), 0);
    EXPECT_EQ(tm.tm_year, 150);

    const KALDER_TM before = tm;
    EXPECT_EQ(ParseDateFormatString(&tm, "2/30/2000"), -1);
    EXPECT_EQ(TakeBoxes(), Strings{"day 30"});
    EXPECT_EQ(std::memcmp(&tm, &before, sizeof tm), 0);
}

TEST(AtoiNullCheck, ConvertsTheLeadingNumberOfTheFirst50Characters) {
    EXPECT_EQ(atoi_NullCheck(nullptr), 0);
    EXPECT_EQ(atoi_NullCheck(""), 0);
    EXPECT_EQ(atoi_NullCheck("  42abc"), 42);
    EXPECT_EQ(atoi_NullCheck("\t\n 5"), 5);
    EXPECT_EQ(atoi_NullCheck("-7"), -7);
    EXPECT_EQ(atoi_NullCheck("+15"), 15);
    EXPECT_EQ(atoi_NullCheck("abc"), 0);
    EXPECT_EQ(atoi_NullCheck("- 5"), 0);
    EXPECT_EQ(atoi_NullCheck("--5"), 0);
    EXPECT_EQ(atoi_NullCheck((std::string(50, '0') + "7").c_str()), 0);
    EXPECT_EQ(atoi_NullCheck((std::string(49, '0') + "7").c_str()), 7);
    EXPECT_EQ(atoi_NullCheck((std::string(49, ' ') + "73").c_str()), 7);
}

TEST(AtoiNullCheck, SaturatesBeyondThe32BitRange) {
    EXPECT_EQ(atoi_NullCheck("2147483647"), INT_MAX);
    EXPECT_EQ(atoi_NullCheck("2147483648"), INT_MAX);
    EXPECT_EQ(atoi_NullCheck("-2147483648"), INT_MIN);
    EXPECT_EQ(atoi_NullCheck("-2147483649"), INT_MIN);
    EXPECT_EQ(atoi_NullCheck("4294967296"), INT_MAX);
    EXPECT_EQ(atoi_NullCheck(std::string(49, '9').c_str()), INT_MAX);
    EXPECT_EQ(atoi_NullCheck(("-" + std::string(49, '9')).c_str()), INT_MIN);
}

} // namespace
