#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "kalder32.h"
#include "record_snapshot.h"
#include "settings/analyse/format_builder.h"
#include "settings/analyse/pictures.h"
#include "settings/read/read_settings.h"
#include "text/limited_text.h"

namespace {

class ShortDateTest : public ::testing::Test {
  protected:
    void UsePicture(const char *picture, const char *separator) {
        UsePictures(picture, Record().sLongDate, separator);
    }
    std::string Format(uint16_t year, uint16_t month, uint16_t day, uint16_t weekday = 0) {
        const DosDate date{year, month, weekday, day};
        char out[40];
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(FillDosDateFormatString(&date, out), out);
        return out;
    }
    RecordSnapshot snapshot;
};

TEST_F(ShortDateTest, TwoDigitYearsLoseOneCenturyAtMost) {
    UsePicture("M/d/yy", "/");
    const struct {
        uint16_t year;
        const char *text;
    } cases[] = {{1900, "1/2/00"}, {1999, "1/2/99"},    {2000, "1/2/00"},  {2005, "1/2/05"},
                 {2099, "1/2/99"}, {2100, "1/2/100"},   {2150, "1/2/150"}, {1899, "1/2/65435"},
                 {0, "1/2/63536"}, {65535, "1/2/63535"}};
    for (const auto &c : cases)
        EXPECT_EQ(Format(c.year, 1, 2), c.text) << c.year;
}

TEST_F(ShortDateTest, FullYearsPrintTheYearWord) {
    UsePicture("M/d/yyyy", "/");
    EXPECT_EQ(Format(1999, 12, 31), "12/31/1999");
    // Years are written two digits at a time: every digit count and every
    // year of the decade whose hundreds leave a single digit.
    for (uint16_t year : {9, 10, 99, 100, 999, 1000, 9999, 10000})
        EXPECT_EQ(Format(year, 1, 2), "1/2/" + std::to_string(year));
    for (uint16_t year = 2000; year <= 2010; ++year)
        EXPECT_EQ(Format(year, 1, 2), "1/2/" + std::to_string(year));
    EXPECT_EQ(Format(0, 12, 31), "12/31/0");
    EXPECT_EQ(Format(65535, 65535, 65535), "65535/65535/65535");
}

TEST_F(ShortDateTest, ElementsFollowThePictureOrder) {
    UsePicture("d/M/yyyy", "/");
    EXPECT_EQ(Format(2024, 3, 5), "5/3/2024");
    UsePicture("yyyy/M/d", "/");
    EXPECT_EQ(Format(2024, 3, 5), "2024/3/5");
    UsePicture("dd.MM.yyyy", ".");
    EXPECT_EQ(Format(2024, 3, 5), "05.03.2024");
    UsePicture("yy-MM-dd", "-");
    EXPECT_EQ(Format(2007, 11, 9), "07-11-09");
}

TEST_F(ShortDateTest, ValuesAreNotChecked) {
    UsePicture("MM/dd/yy", "/");
    EXPECT_EQ(Format(1999, 13, 0), "13/00/99");
    EXPECT_EQ(Format(1999, 12, 31, 0), Format(1999, 12, 31, 6)) << "the weekday has no effect";
}

TEST_F(ShortDateTest, PercentSeparatorPrintsOnce) {
    UsePicture("M/d/yy", "%");
    EXPECT_EQ(Format(1999, 12, 31), "12%31%99");
}

TEST_F(ShortDateTest, NullOutputWritesNothing) {
    UsePicture("M/d/yy", "/");
    const DosDate date{1999, 12, 0, 31};
    EXPECT_EQ(FillDosDateFormatString(&date, nullptr), nullptr);
    KALDER_TM tm{};
    EXPECT_EQ(FillDateFormatString(tm, nullptr), nullptr);
}

TEST_F(ShortDateTest, StructTmGoesThroughTheSameForm) {
    UsePicture("M/d/yy", "/");
    KALDER_TM tm{};
    tm.tm_year = 99;
    tm.tm_mon = 11;
    tm.tm_mday = 31;
    tm.tm_wday = -5;
    tm.tm_yday = 1000;
    tm.tm_sec = tm.tm_min = tm.tm_hour = tm.tm_isdst = 77;
    char out[40];
    EXPECT_EQ(FillDateFormatString(tm, out), out);
    EXPECT_STREQ(out, Format(1999, 12, 31).c_str());

    // Each value is cut to its 16-bit word.
    tm.tm_mday = -1;
    tm.tm_mon = 65536;
    tm.tm_year = 200 - 65536;
    FillDateFormatString(tm, out);
    EXPECT_STREQ(out, "1/65535/100");
}

} // namespace
