#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "kalder32.h"
#include "library_fixture.h"
#include "record_snapshot.h"

using Strings = std::vector<std::string>;

namespace {

// 2000-01-01 15:47:12 UTC, and the midnights that start and end that day.
constexpr KALDER_TIME kAfternoon = 946741632;
constexpr KALDER_TIME kMidnight = 946684800;
constexpr KALDER_TIME kNextMidnight = 946771200;

constexpr KALDER_TIME At(int hour, int minute) { return kMidnight + hour * 3600 + minute * 60; }

class TimeParseTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        ChangeRecord([&](WINDATESTRUC &r) { std::strcpy(r.sTime, ":"); });
    }
    // ParseTimeFormatString on a value that starts as `start`.
    KALDER_TIME ParseOn(KALDER_TIME start, const char *text, int expectedResult = 0) {
        KALDER_TIME t = start;
        EXPECT_EQ(ParseTimeFormatString(&t, text), expectedResult) << text;
        return t;
    }
    KALDER_TIME Parse(const char *text) { return ParseOn(kAfternoon, text); }
    // A refused time leaves the value alone and shows exactly `warning`.
    void ExpectRefused(const char *text, const std::string &warning) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseOn(kAfternoon, text, -1), kAfternoon);
        EXPECT_EQ(TakeBoxes(), Strings{warning});
    }
};

TEST_F(TimeParseTest, HourAndMinuteAreSeparatedByAnyDelimiter) {
    for (const char *text : {"8:30", "8.30", "8,30", "8 30", "8/30", "8\\30", " 8::30 "})
        EXPECT_EQ(Parse(text), At(8, 30)) << text;
    EXPECT_EQ(Parse("8"), At(8, 0));
    EXPECT_EQ(Parse(""), kMidnight);
    EXPECT_EQ(Parse(nullptr), kMidnight);
    EXPECT_EQ(Parse("0:0"), kMidnight);
    EXPECT_EQ(Parse("23:59"), At(23, 59));
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(TimeParseTest, LaterTokensAndSuffixesAreIgnored) {
    EXPECT_EQ(Parse("10:30:45"), At(10, 30));
    EXPECT_EQ(Parse("2:30 PM"), At(2, 30));
    EXPECT_EQ(Parse("2:30PM"), At(2, 30));
    EXPECT_EQ(Parse("10h30"), At(10, 0));
    EXPECT_EQ(Parse("noon"), kMidnight);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(TimeParseTest, TimeSeparatorSettingAddsDelimiters) {
    ChangeRecord([&](WINDATESTRUC &r) { std::strcpy(r.sTime, "h"); });
    EXPECT_EQ(Parse("10h30"), At(10, 30));
    EXPECT_EQ(Parse("10:30"), At(10, 30));
    ChangeRecord([&](WINDATESTRUC &r) { std::strcpy(r.sTime, ""); });
    EXPECT_EQ(Parse("8:30"), At(8, 30));
    ChangeRecord([&](WINDATESTRUC &r) { std::strcpy(r.sTime, "123456789"); });
    EXPECT_EQ(Parse("8:30"), kMidnight);
}

TEST_F(TimeParseTest, HourTwentyFourIsTheMidnightThatEndsTheDay) {
    EXPECT_EQ(Parse("24"), kNextMidnight);
    EXPECT_EQ(Parse("24:00"), kNextMidnight);
    ExpectRefused("24:01", "hour 24 with minutes");
}

TEST_F(TimeParseTest, OnlyTheFirstBadValueIsReported) {
    ExpectRefused("25:00", "hour 25");
    ExpectRefused("-1:00", "hour -1");
    ExpectRefused("10:60", "minute 60");
    ExpectRefused("10:-5", "minute -5");
    ExpectRefused("25:75", "hour 25");
    ExpectRefused("99999999999:00", "hour " + std::to_string(INT_MAX));
}

TEST_F(TimeParseTest, WarningIsAnExclamationBoxOwnedByTheFocusWindow) {
    KALDER_TIME t = kAfternoon;
    EXPECT_EQ(ParseTimeFormatString(&t, "10:60"), -1);
    const auto &boxes = host::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, kFocus);
    EXPECT_EQ(boxes[0].caption, "Caption");
    EXPECT_EQ(boxes[0].style, 0x30u);
}

TEST_F(TimeParseTest, HourAndMinuteKeepTheParsedValuesExceptTheOneReset) {
    int32_t hour = -9, minute = -9;
    EXPECT_EQ(ParseTimeHrMin(&hour, &minute, "25:30"), -1);
    EXPECT_EQ(hour, 0);
    EXPECT_EQ(minute, 30);
    EXPECT_EQ(ParseTimeHrMin(&hour, &minute, "10:75"), -1);
    EXPECT_EQ(hour, 10);
    EXPECT_EQ(minute, 0);
    EXPECT_EQ(ParseTimeHrMin(&hour, &minute, "24:15"), -1);
    EXPECT_EQ(hour, 24);
    EXPECT_EQ(minute, 0);
    EXPECT_EQ(ParseTimeHrMin(&hour, &minute, "7"), 0);
    EXPECT_EQ(hour, 7);
    EXPECT_EQ(minute, 0);
    EXPECT_EQ(TakeBoxes(), (Strings{"hour 25", "minute 75", "hour 24 with minutes"}));
}

TEST_F(TimeParseTest, MinuteTokenIsReadWhole) {
    // The hour goes through the 50-character conversion, the minute token
    // is read over its whole length.
    int32_t hour = 0, minute = 0;
    const std::string text = "1:" + std::string(60, '0') + "5";
    EXPECT_EQ(ParseTimeHrMin(&hour, &minute, text.c_str()), 0);
    EXPECT_EQ(minute, 5);
    const std::string longHour = std::string(60, '0') + "5:10";
    EXPECT_EQ(ParseTimeHrMin(&hour, &minute, longHour.c_str()), 0);
    EXPECT_EQ(hour, 0);
    EXPECT_EQ(minute, 10);
}

TEST_F(TimeParseTest, LongTextIsReadFromItsFirst99Characters) {
    const std::string text = "1" + std::string(97, ' ') + "30";
    ASSERT_EQ(text.size(), 100u);
    EXPECT_EQ(Parse(text.c_str()), At(1, 3));
}

TEST_F(TimeParseTest, CheckHrMinTestsHourThenMinuteThenHour24) {
    struct Case {
        int32_t hour, minute;
        int result;
        int32_t hourAfter, minuteAfter;
    };
    for (const Case &c : {Case{24, 0, 0, 24, 0}, Case{0, 0, 0, 0, 0}, Case{23, 59, 0, 23, 59},
                          Case{-1, 70, -1, 0, 70}, Case{INT_MIN, 0, -1, 0, 0},
                          Case{12, 60, -1, 12, 0}, Case{24, 59, -1, 24, 0}}) {
        int32_t hour = c.hour, minute = c.minute;
        EXPECT_EQ(checkhrmin(&hour, &minute), c.result) << c.hour << ":" << c.minute;
        EXPECT_EQ(hour, c.hourAfter);
        EXPECT_EQ(minute, c.minuteAfter);
    }
    EXPECT_EQ(TakeBoxes(), (Strings{"hour -1", "hour " + std::to_string(INT_MIN), "minute 60",
                                    "hour 24 with minutes"}));
}

TEST_F(TimeParseTest, TwoStringsAreEachReadForTheirLeadingNumber) {
    KALDER_TIME t = kAfternoon;
    EXPECT_EQ(ParseTimeFormat2Strings(&t, "8", "5"), 0);
    EXPECT_EQ(t, At(8, 5));
    t = kAfternoon;
    EXPECT_EQ(ParseTimeFormat2Strings(&t, nullptr, nullptr), 0);
    EXPECT_EQ(t, kMidnight);
    t = kAfternoon;
    EXPECT_EQ(ParseTimeFormat2Strings(&t, "8:30", "0"), 0);
    EXPECT_EQ(t, At(8, 0));
    t = kAfternoon;
    EXPECT_EQ(ParseTimeFormat2Strings(&t, "24", "0"), 0);
    EXPECT_EQ(t, kNextMidnight);
    EXPECT_TRUE(TakeBoxes().empty());

    t = kAfternoon;
    EXPECT_EQ(ParseTimeFormat2Strings(&t, "25", "0"), -1);
    EXPECT_EQ(ParseTimeFormat2Strings(&t, "2", "61"), -1);
    EXPECT_EQ(ParseTimeFormat2Strings(&t, "24", "1"), -1);
    EXPECT_EQ(t, kAfternoon);
    EXPECT_EQ(TakeBoxes(), (Strings{"hour 25", "minute 61", "hour 24 with minutes"}));
}

TEST_F(TimeParseTest, NegativeValuesKeepTheirOwnUtcDay) {
    // -1 is 23:59:59 on 31 December 1969.
    EXPECT_EQ(ParseOn(-1, "8:30"), -86400 + 8 * 3600 + 30 * 60);
    EXPECT_EQ(ParseOn(-86400, "0:00"), -86400);
    EXPECT_EQ(ParseOn(-86401, "24"), -86400);
}

TEST_F(TimeParseTest, TimesBeyondThe32BitRangeAreRefusedWithoutABox) {
    // INT_MAX is 03:14:07 on 19 January 2038; INT_MIN is 20:45:52 on
    // 13 December 1901.
    EXPECT_EQ(ParseOn(INT_MAX, "3:14"), INT_MAX - 7);
    EXPECT_EQ(ParseOn(INT_MAX, "3:15", -1), INT_MAX);
    EXPECT_EQ(ParseOn(INT_MAX, "24:00", -1), INT_MAX);
    EXPECT_EQ(ParseOn(INT_MIN, "20:46"), INT_MIN + 8);
    EXPECT_EQ(ParseOn(INT_MIN, "20:45", -1), INT_MIN);
    EXPECT_EQ(ParseOn(INT_MIN, "", -1), INT_MIN);

    KALDER_TIME t = INT_MAX;
    EXPECT_EQ(ParseTimeFormat2Strings(&t, "4", "0"), -1);
    EXPECT_EQ(t, INT_MAX);
    EXPECT_TRUE(TakeBoxes().empty());
}

} // namespace
