#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "format/plan.h"
#include "record_snapshot.h"
#include "settings/analyse/format_builder.h"
#include "settings/analyse/pictures.h"
#include "settings/read/read_settings.h"
#include "text/limited_text.h"

namespace {

// Pictures are analysed and formats built in a record of the test's own.
class PicturesTest : public ::testing::Test {
  protected:
    WINDATESTRUC record = Record();
};

int Conversions(const fmt::Plan &plan) {
    int n = 0;
    for (int i = 0; i < plan.count; ++i)
        n += plan.pieces[i].conv != fmt::Conv::None;
    return n;
}

// Percent signs that start a conversion rather than an escape.
int UnescapedPercents(const std::string &format) {
    int n = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%')
            ++i;
        else
            ++n;
    }
    return n;
}

struct ShortCase {
    const char *picture;
    const char *separator;
    int32_t order;
    int32_t monthLZero, dayLZero, fullYear;
    const char *format;
};

TEST_F(PicturesTest, ShortPicturesGiveOrderFlagsAndFormat) {
    const ShortCase cases[] = {
        {"M/d/yy", "/", 0, 0, 0, 0, "%d/%d/%02d"},
        {"MM/dd/yyyy", "/", 0, 1, 1, 1, "%02d/%02d/%d"},
        {"dd.MM.yyyy", ".", 1, 1, 1, 1, "%02d.%02d.%d"},
        {"yyyy-MM-dd", "-", 2, 1, 1, 1, "%d-%02d-%02d"},
        {"yy/M/d", "/", 2, 0, 0, 0, "%02d/%d/%d"},
        {"dd/MM", "/", 2, 1, 1, 0, "%02d/%02d/%02d"}, // the missing year counts as first
        {"yyy d M", " ", 2, 0, 0, 1, "%d %d %d"},
        {"", "/", 2, 0, 0, 0, "%02d/%d/%d"},
        {"M d", "", 2, 0, 0, 0, "%02d%d%d"},
    };
    for (const ShortCase &c : cases) {
        SetField(record.sShortDate, c.picture);
        SetField(record.sDate, c.separator);
        AnalyseShortDatePicture(record);
        BuildShortFormat(record);
        EXPECT_EQ(record.iShortOrder, c.order) << c.picture;
        EXPECT_EQ(record.bMonthLZero, c.monthLZero) << c.picture;
        EXPECT_EQ(record.bDayLZero, c.dayLZero) << c.picture;
        EXPECT_EQ(record.bFullYear, c.fullYear) << c.picture;
        EXPECT_STREQ(record.szShortFmt, c.format) << c.picture;
    }
}

struct LongCase {
    const char *picture;
    int32_t dayName;
    const char *daySep, *firstSep, *secondSep;
    int32_t order, monthStyle;
    const char *format;
};

TEST_F(PicturesTest, LongPicturesGiveFieldsAndFormat) {
    const LongCase cases[] = {
        {"dddd, MMMM dd, yyyy", 1, ", ", " ", ", ", 0, 3, "%s, %s %02d, %d"},
        {"dddd d MMMM yyyy", 1, " ", " ", " ", 1, 3, "%s %d %s %d"},
        {"MMMM d, yyyy", 0, "", " ", ", ", 0, 3, "%s%s %d, %d"},
        {"ddd, dd. MMM yy", 2, ", ", ". ", " ", 1, 2, "%s, %02d. %s %d"},
        {"", 0, "", "", "", 2, -1, "%s%d%s%d"},
        {"dd MMMM yyyy", 0, "", " ", " ", 1, 3, "%s%02d %s %d"},
        {"yyyy'年'M'月'd'日'", 0, "", "年", "月", 2, 0, "%s%d年%s月%d"},
        {"'Le 'd MMMM yyyy", 0, "Le ", " ", " ", 1, 3, "%sLe %d %s %d"},
        {"dddd', de 'MMMMM d", 1, ", de ", " ", "", 0, 4, "%s, de %s %d%d"},
        {"dddd d M'open", 1, " ", " ", "open", 1, 0, "%s %d %sopen%d"},
        // Quotes inside a literal: quoted letters are literal text, and the
        // text around the quotes belongs to the same literal.
        {"dddd, d 'de' MMMM 'de' yyyy", 1, ", ", " de ", " de ", 1, 3, "%s, %d de %s de %d"},
        {"dddd, 'den' d. MMMM yyyy", 1, ", den ", ". ", " ", 1, 3, "%s, den %d. %s %d"},
        {"yyyy'nen' M'gatsu' d'nichi'", 0, "", "nen ", "gatsu ", 2, 0, "%s%dnen %sgatsu %d"},
        {"yyyy 'm.' MMMM d 'd.'", 0, "", " m. ", " ", 2, 3, "%s%d m. %s %d"},
        {"d 'de MMMM yyyy", 0, "", " de MMMM ", "", 1, -1, "%s%d de MMMM %s%d"},
    };
    for (const LongCase &c : cases) {
        SetField(record.sLongDate, c.picture);
        AnalyseLongDatePicture(record);
        BuildShortFormat(record);
        EXPECT_EQ(record.iDayName, c.dayName) << c.picture;
        EXPECT_STREQ(record.szDaySep, c.daySep) << c.picture;
        EXPECT_STREQ(record.szFirstSep, c.firstSep) << c.picture;
        EXPECT_STREQ(record.szSecondSep, c.secondSep) << c.picture;
        EXPECT_EQ(record.iLongOrder, c.order) << c.picture;
        EXPECT_EQ(record.iMonthStyle, c.monthStyle) << c.picture;
        EXPECT_STREQ(record.szLongFmt, c.format) << c.picture;
    }
}

TEST_F(PicturesTest, LongDayAndYearFlagsCountTheWholeElementText) {
    SetField(record.sLongDate, "dddd, d MMMM yy");
    AnalyseLongDatePicture(record);
    EXPECT_EQ(record.bLongDayLZero, 0);
    EXPECT_EQ(record.bLongFullYear, 0);
    SetField(record.sLongDate, "yyy.dd.M");
    AnalyseLongDatePicture(record);
    EXPECT_EQ(record.bLongDayLZero, 1);
    EXPECT_EQ(record.bLongFullYear, 1);
    EXPECT_EQ(record.iLongOrder, 2);
}

// Letters between quotes are never date letters: a picture analyses as the
// same picture with its quoted d, M and y replaced by another letter, for
// every picture of up to six characters of "dMy' .".
TEST_F(PicturesTest, QuotedLettersNeverCountAsDateLetters) {
    const char alphabet[] = "dMy' .";
    const auto masked = [](const char *text, bool quoted) {
        std::string out;
        for (; *text != '\0'; ++text) {
            quoted ^= *text == '\'';
            out += quoted && std::strchr("dMy", *text) != nullptr ? 'x' : *text;
        }
        return out;
    };
    for (int length = 0; length <= 6; ++length) {
        int total = 1;
        for (int i = 0; i < length; ++i)
            total *= 6;
        for (int n = 0; n < total; ++n) {
            std::string picture;
            for (int i = 0, rest = n; i < length; ++i, rest /= 6)
                picture += alphabet[rest % 6];
            SetField(record.sLongDate, picture.c_str());
            AnalyseLongDatePicture(record);
            const WINDATESTRUC quoted = record;
            SetField(record.sLongDate, masked(picture.c_str(), false).c_str());
            AnalyseLongDatePicture(record);
            ASSERT_EQ(record.iDayName, quoted.iDayName) << picture;
            ASSERT_EQ(record.iLongOrder, quoted.iLongOrder) << picture;
            ASSERT_EQ(record.bLongDayLZero, quoted.bLongDayLZero) << picture;
            ASSERT_EQ(record.iMonthStyle, quoted.iMonthStyle) << picture;
            ASSERT_EQ(record.bLongFullYear, quoted.bLongFullYear) << picture;
            // Separators hold only quoted date letters.
            ASSERT_EQ(masked(quoted.szDaySep, true), record.szDaySep) << picture;
            ASSERT_EQ(masked(quoted.szFirstSep, true), record.szFirstSep) << picture;
            ASSERT_EQ(masked(quoted.szSecondSep, true), record.szSecondSep) << picture;
        }
    }
}

TEST_F(PicturesTest, PercentSignsPrintAsThemselves) {
    SetField(record.sShortDate, "M/d/yy");
    SetField(record.sDate, "%");
    AnalyseShortDatePicture(record);
    SetField(record.sLongDate, "dddd'%s'd'%n'MMMM yyyy");
    AnalyseLongDatePicture(record);
    BuildShortFormat(record);
    EXPECT_STREQ(record.szShortFmt, "%d%%%d%%%02d");
    EXPECT_STREQ(record.szDaySep, "%s");
    EXPECT_STREQ(record.szLongFmt, "%s%%s%d%%n%s %d");
    EXPECT_EQ(Conversions(fmt::Compile(record.szShortFmt)), 3);
    EXPECT_EQ(Conversions(fmt::Compile(record.szLongFmt)), 4);

    const fmt::Arg args[] = {fmt::IntArg(1), fmt::IntArg(2), fmt::IntArg(3)};
    char out[64];
    fmt::Run(fmt::Compile(record.szShortFmt), args, 3, out, sizeof out);
    EXPECT_STREQ(out, "1%2%03");
}

TEST_F(PicturesTest, LongSeparatorsAreShortenedToFitTheField) {
    SetField(record.sShortDate, "MM/dd/yy");
    SetField(record.sDate, "%%%%%%%%%");
    AnalyseShortDatePicture(record);
    BuildShortFormat(record);
    // Twelve characters of conversions leave room for one escaped % each.
    EXPECT_STREQ(record.szShortFmt, "%02d%%%02d%%%02d");

    SetField(record.sDate, " -- . --");
    BuildShortFormat(record);
    EXPECT_STREQ(record.szShortFmt, "%02d --%02d --%02d");

    SetField(record.sShortDate, "M/d/yyyy");
    AnalyseShortDatePicture(record);
    BuildShortFormat(record);
    EXPECT_STREQ(record.szShortFmt, "%d -- . %d -- . %d");
    EXPECT_EQ(Conversions(fmt::Compile(record.szShortFmt)), 3);
    EXPECT_EQ(UnescapedPercents(record.szShortFmt), 3);

    SetField(record.sLongDate, "dddd'%%%%%%%%%'dd'%%%%%%%%%'MMMM'ab'yy");
    AnalyseLongDatePicture(record);
    BuildLongFormat(record);
    const std::string format = record.szLongFmt;
    EXPECT_LE(format.size(), sizeof record.szLongFmt - 1);
    EXPECT_EQ(Conversions(fmt::Compile(record.szLongFmt)), 4) << format;
    EXPECT_NE(format.find("%sab%d"), std::string::npos) << "short separators are kept whole";
    EXPECT_EQ(format.compare(0, 2, "%s"), 0);
}

TEST_F(PicturesTest, EveryPercentSeparatorKeepsFormatsWhole) {
    const char *pictures[] = {"dddd dd MMMM yyyy", "MMMM d yyyy", "yyyy MMMM dd"};
    for (const char *picture : pictures) {
        SetField(record.sLongDate, picture);
        AnalyseLongDatePicture(record);
        SetField(record.szDaySep, "%%%%%%%%%");
        SetField(record.szFirstSep, "%%%%%%%%%");
        SetField(record.szSecondSep, "%%%%%%%%%");
        BuildLongFormat(record);
        const std::string format = record.szLongFmt;
        EXPECT_LE(format.size(), 41u) << picture;
        EXPECT_EQ(Conversions(fmt::Compile(record.szLongFmt)), 4) << format;
        EXPECT_EQ(UnescapedPercents(format), 4) << format;
    }
}

TEST_F(PicturesTest, OverlongTextIsCutToItsField) {
    SetField(record.sLongDate, "dddd'0123456789abc'd-MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM-y");
    AnalyseLongDatePicture(record);
    EXPECT_STREQ(record.szDaySep, "012345678");
    EXPECT_STREQ(record.szFirstSep, "-");

    // A second element longer than 31 letters keeps 31 of them.
    SetField(record.sLongDate, "d-MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM-y");
    AnalyseLongDatePicture(record);
    EXPECT_EQ(record.iMonthStyle, 30);
    EXPECT_STREQ(record.szSecondSep, "-");

    // Picture fields filled to their last byte are read no further.
    std::memset(record.sShortDate, 'd', sizeof record.sShortDate);
    AnalyseShortDatePicture(record);
    EXPECT_EQ(record.bDayLZero, 1);
    std::memset(record.sLongDate, 'y', sizeof record.sLongDate);
    AnalyseLongDatePicture(record);
    EXPECT_EQ(record.bLongFullYear, 1);
    std::memset(record.sDate, '-', sizeof record.sDate);
    BuildShortFormat(record);
    EXPECT_LE(std::strlen(record.szShortFmt), 19u);
}

TEST(PictureHelpersTest, CountCopyAndTakeSeparator) {
    EXPECT_EQ(CountChar("dd/MM/yyyy", 'y'), 4);
    EXPECT_EQ(CountChar("", 'y'), 0);

    char dest[6];
    std::memset(dest, 'x', sizeof dest);
    CopyLimited(dest, "abcdefgh", 5);
    EXPECT_STREQ(dest, "abcde");
    CopyLimited(dest, "ab", 5);
    EXPECT_STREQ(dest, "ab");
    CopyLimited(dest, "ab", 0);
    EXPECT_STREQ(dest, "");

    char field[10];
    const char *picture = "'d, 'MMMM";
    EXPECT_EQ(TakeSeparator(picture, field), picture + 5);
    EXPECT_STREQ(field, "d, ");
    picture = " of yyyy";
    EXPECT_EQ(TakeSeparator(picture, field), picture + 4);
    EXPECT_STREQ(field, " of ");
    picture = "MMMM";
    EXPECT_EQ(TakeSeparator(picture, field), picture);
    EXPECT_STREQ(field, "");
    picture = "'open";
    EXPECT_EQ(TakeSeparator(picture, field), picture + 5);
    EXPECT_STREQ(field, "open");
    picture = " 'de' MMMM";
    EXPECT_EQ(TakeSeparator(picture, field), picture + 6);
    EXPECT_STREQ(field, " de ");
    picture = "'d'. yy";
    EXPECT_EQ(TakeSeparator(picture, field), picture + 5);
    EXPECT_STREQ(field, "d. ");
}

} // namespace
