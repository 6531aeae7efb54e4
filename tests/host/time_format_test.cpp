#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "kalder32.h"
#include "library_fixture.h"
#include "record_snapshot.h"

namespace {

class TimeFormatTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        UseSeparator(":");
    }
    static void UseSeparator(const char *sep) {
        ChangeRecord([&](WINDATESTRUC &r) { std::strcpy(r.sTime, sep); });
    }
    std::string HrMin(int32_t hour, int32_t minute) {
        char out[32];
        std::memset(out, 'X', sizeof out);
        EXPECT_EQ(FillTimeHrMin(hour, minute, out), out);
        return out;
    }
    std::string FromTime(KALDER_TIME t) {
        char out[32];
        EXPECT_EQ(FillTimeFormatString(t, out), out);
        return out;
    }
    // The three parts joined with '|'.
    std::string ThreeParts(int32_t hour, int32_t minute) {
        char h[16], s[4], m[16];
        EXPECT_EQ(Fill3StrTimeHrMin(hour, minute, h, s, m), m);
        return std::string(h) + "|" + s + "|" + m;
    }
    std::string ThreeFromTime(KALDER_TIME t) {
        char h[16], s[4], m[16];
        EXPECT_EQ(FillTimeFormat3Strings(t, h, s, m), m);
        return std::string(h) + "|" + s + "|" + m;
    }
};

TEST_F(TimeFormatTest, HourHasNoLeadingZeroMinuteHasTwoDigits) {
    EXPECT_EQ(HrMin(9, 5), "9:05");
    EXPECT_EQ(HrMin(0, 0), "0:00");
    EXPECT_EQ(HrMin(13, 7), "13:07");
    EXPECT_EQ(ThreeParts(9, 5), "9|:|05");
    EXPECT_EQ(ThreeParts(23, 59), "23|:|59");
}

TEST_F(TimeFormatTest, ValuesArePrintedWhateverTheyHold) {
    EXPECT_EQ(HrMin(25, 75), "25:75");
    EXPECT_EQ(HrMin(13, -5), "13:-5");
    EXPECT_EQ(HrMin(13, 100), "13:100");
    EXPECT_EQ(HrMin(INT_MIN, INT_MIN), "-2147483648:-2147483648");
    EXPECT_EQ(ThreeParts(-1, -1), "-1|:|-1");
    EXPECT_EQ(ThreeParts(INT_MAX, INT_MIN), "2147483647|:|-2147483648");
}

TEST_F(TimeFormatTest, OnlyTheFirstSeparatorCharacterIsUsed) {
    UseSeparator(".");
    EXPECT_EQ(HrMin(13, 7), "13.07");
    UseSeparator("h:m");
    EXPECT_EQ(HrMin(13, 7), "13h07");
    EXPECT_EQ(ThreeParts(13, 7), "13|h|07");
}

TEST_F(TimeFormatTest, EmptySeparatorEndsTheTextAfterTheHour) {
    UseSeparator("");
    EXPECT_EQ(HrMin(9, 5), "9");
    EXPECT_EQ(ThreeParts(9, 5), "9||05");
    EXPECT_EQ(FromTime(47279), "13");
}

TEST_F(TimeFormatTest, TimeValuesAreBrokenDownInUtcWithSecondsDropped) {
    EXPECT_EQ(FromTime(0), "0:00");
    EXPECT_EQ(FromTime(59), "0:00");
    EXPECT_EQ(FromTime(86399), "23:59");
    EXPECT_EQ(FromTime(86400), "0:00");
    EXPECT_EQ(FromTime(946741632), "15:47");
    EXPECT_EQ(ThreeFromTime(47279), "13|:|07");
    EXPECT_EQ(ThreeFromTime(3600 * 5), "5|:|00");
}

TEST_F(TimeFormatTest, ValuesBefore1970FallOnTheirOwnDay) {
    EXPECT_EQ(FromTime(-1), "23:59");
    EXPECT_EQ(FromTime(-60), "23:59");
    EXPECT_EQ(FromTime(-61), "23:58");
    EXPECT_EQ(FromTime(-86400), "0:00");
    EXPECT_EQ(FromTime(INT_MIN), "20:45");
    EXPECT_EQ(FromTime(INT_MAX), "3:14");
    EXPECT_EQ(ThreeFromTime(-3600), "23|:|00");
}

TEST_F(TimeFormatTest, NullOutputsReceiveNothing) {
    EXPECT_EQ(FillTimeHrMin(9, 5, nullptr), nullptr);
    EXPECT_EQ(FillTimeFormatString(0, nullptr), nullptr);

    char h[16] = "", m[16] = "";
    EXPECT_EQ(Fill3StrTimeHrMin(9, 5, h, nullptr, m), m);
    EXPECT_STREQ(h, "9");
    EXPECT_STREQ(m, "05");
    char s[4] = "";
    EXPECT_EQ(Fill3StrTimeHrMin(10, 6, nullptr, s, nullptr), nullptr);
    EXPECT_STREQ(s, ":");
    EXPECT_EQ(FillTimeFormat3Strings(0, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(TimeFormatTest, OutputIsExactlyTheTextAndItsNul) {
    char out[8];
    std::memset(out, 'X', sizeof out);
    FillTimeHrMin(9, 5, out);
    EXPECT_EQ(std::string(out, 5), std::string("9:05\0", 5));
    EXPECT_EQ(out[5], 'X');
}

} // namespace
