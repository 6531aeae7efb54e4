#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "kalder32.h"
#include "library_fixture.h"
#include "record_snapshot.h"
#include "settings/analyse/format_builder.h"
#include "strings/date_names.h"

namespace {

// Tuesday, 5 March 2024.
const KALDER_TM kTuesday = Date(2024, 2, 5, 2);

class LongDateTest : public LibraryTest {
  protected:
    static void UsePicture(const char *picture) { UsePictures(Record().sShortDate, picture); }
    // Puts the name tables as they are now in force.
    static void UseNames() { PutInForce(Record()); }
    static std::string Long(const KALDER_TM &tm) {
        char out[64];
        std::memset(out, 'X', sizeof out);
        EXPECT_EQ(FillLongDateFormatString(tm, out), out);
        // Nothing is written past the text's NUL.
        const size_t len = strnlen(out, 40);
        EXPECT_LT(len, 40u);
        EXPECT_EQ(std::string(out + len + 1, sizeof out - len - 1),
                  std::string(sizeof out - len - 1, 'X'));
        return out;
    }
};

TEST_F(LongDateTest, DefaultPictureGivesNamesAndFullYear) {
    EXPECT_EQ(Long(kTuesday), "Tuesday, March 05, 2024");
    EXPECT_EQ(Long(Date(1999, 11, 25, 6)), "Saturday, December 25, 1999");
    EXPECT_EQ(Long(Date(2000, 0, 2, 0)), "Sunday, January 02, 2000");
}

TEST_F(LongDateTest, ElementOrderAndSeparatorsFollowThePicture) {
    UsePicture("dddd d MMMM yyyy");
    EXPECT_EQ(Long(kTuesday), "Tuesday 5 March 2024");
    UsePicture("ddd, dd. MMM yyyy");
    EXPECT_EQ(Long(kTuesday), "Tue, 05. Mar 2024");
    UsePicture("MMMM d, yyyy");
    EXPECT_EQ(Long(kTuesday), "March 5, 2024");
    UsePicture("'Day 'd' of 'MMMM yyyy");
    EXPECT_EQ(Long(kTuesday), "Day 5 of March 2024");
}

TEST_F(LongDateTest, YearFirstPictureStillShowsTheMonthName) {
    UsePicture("yyyy MMMM d");
    EXPECT_EQ(Long(kTuesday), "2024 March 5");
    UsePicture("yy'-'MM'-'dd");
    EXPECT_EQ(Long(kTuesday), "124-03-05");
}

TEST_F(LongDateTest, TwoLetterYearShowsYearsSince1900) {
    UsePicture("d MMMM yy");
    EXPECT_EQ(Long(Date(1905, 0, 1, 0)), "1 January 5");
    EXPECT_EQ(Long(Date(1999, 11, 31, 5)), "31 December 99");
    EXPECT_EQ(Long(Date(2000, 0, 1, 6)), "1 January 100");
    EXPECT_EQ(Long(kTuesday), "5 March 124");
}

// The long date's register path takes numbers in pieces of at most two digits;
// each number on either side of where that stops must print the same.
TEST_F(LongDateTest, NumbersPrintWholeOnBothSidesOfEveryPieceLimit) {
    UsePicture("d/M/yyyy");
    EXPECT_EQ(Long(Date(2024, 97, 5, 0)), "5/98/2024");
    EXPECT_EQ(Long(Date(2024, 98, 5, 0)), "5/99/2024");
    EXPECT_EQ(Long(Date(2024, 99, 5, 0)), "5/100/2024");
    UsePicture("dd/MM/yyyy");
    EXPECT_EQ(Long(Date(2024, 98, 5, 0)), "05/99/2024");
    EXPECT_EQ(Long(Date(2024, 99, 5, 0)), "05/100/2024");
    UsePicture("d MMMM yyyy");
    EXPECT_EQ(Long(Date(2024, 2, 99, 2)), "99 March 2024");
    EXPECT_EQ(Long(Date(2024, 2, 100, 2)), "100 March 2024");
    for (int year : {99, 100, 2000, 2005, 2009, 9999, 10000})
        EXPECT_EQ(Long(Date(year, 2, 5, 2)), "5 March " + std::to_string(year)) << year;
}

TEST_F(LongDateTest, NumericMonthStylesPrintTmMonPlusOne) {
    UsePicture("d/M/yyyy");
    EXPECT_EQ(Long(Date(2024, 0, 5, 0)), "5/1/2024");
    EXPECT_EQ(Long(Date(2024, 11, 5, 0)), "5/12/2024");
    EXPECT_EQ(Long(Date(2024, 12, 5, 0)), "5/13/2024");
    EXPECT_EQ(Long(Date(2024, -5, 5, 0)), "5/-4/2024");
    UsePicture("dd/MM/yyyy");
    EXPECT_EQ(Long(Date(2024, 0, 5, 0)), "05/01/2024");
    EXPECT_EQ(Long(Date(2024, 11, 5, 0)), "05/12/2024");
    EXPECT_EQ(Long(Date(2024, INT_MAX, 0, 0)), "00/-2147483648/2024");
}

TEST_F(LongDateTest, MonthStyleOutsideZeroToThreeNeverShowsAnEarlierMonth) {
    EXPECT_EQ(Long(kTuesday), "Tuesday, March 05, 2024");
    UsePicture("dd yyyy"); // no month letter
    EXPECT_EQ(Long(kTuesday), "05 2024");
    UsePicture("dd MMMMM yyyy"); // five month letters
    EXPECT_EQ(Long(kTuesday), "05  2024");
}

TEST_F(LongDateTest, OutOfRangeIndexesGiveEmptyNames) {
    EXPECT_EQ(Long(Date(2024, 2, 5, 7)), ", March 05, 2024");
    EXPECT_EQ(Long(Date(2024, 2, 5, -1)), ", March 05, 2024");
    EXPECT_EQ(Long(Date(2024, 12, 5, 2)), "Tuesday,  05, 2024");
    EXPECT_EQ(Long(Date(2024, INT_MIN, 5, INT_MAX)), ",  05, 2024");
    UsePicture("ddd, d MMM yyyy");
    EXPECT_EQ(Long(Date(2024, -1, 5, 70)), ", 5  2024");
}

TEST_F(LongDateTest, WithoutWeekdayTheWeekdayIsNotRead) {
    UsePicture("MMMM d, yyyy");
    EXPECT_EQ(Long(Date(2024, 2, 5, 1000)), "March 5, 2024");
}

TEST_F(LongDateTest, DayIsPrintedUnchecked) {
    EXPECT_EQ(Long(Date(2024, 2, 0, 2)), "Tuesday, March 00, 2024");
    EXPECT_EQ(Long(Date(2024, 2, -3, 2)), "Tuesday, March -3, 2024");
    UsePicture("d MMMM yyyy");
    EXPECT_EQ(Long(Date(2024, 2, 0, 2)), "0 March 2024");
}

TEST_F(LongDateTest, EntryWithoutTextKeepsTheSeparators) {
    char *saved = DayNames[2];
    DayNames[2] = nullptr;
    UseNames();
    EXPECT_EQ(Long(kTuesday), ", March 05, 2024");
    DayNames[2] = saved;
    saved = MonthNames[2];
    MonthNames[2] = nullptr;
    UseNames();
    EXPECT_EQ(Long(kTuesday), "Tuesday,  05, 2024");
    MonthNames[2] = saved;
    UseNames();
}

// Puts a name of the given text in a table entry for the life of the
// object, as the library makes its entries.
class PlantedName {
  public:
    PlantedName(char *&entry, const std::string &text)
        : entry_(entry), saved_(entry), planted_(MakeNameEntry(text.c_str(), text.size())) {
        entry_ = planted_;
    }
    ~PlantedName() {
        entry_ = saved_;
        FreeNameEntry(planted_);
    }
    PlantedName(const PlantedName &) = delete;
    PlantedName &operator=(const PlantedName &) = delete;

  private:
    char *&entry_;
    char *saved_;
    char *planted_;
};

TEST_F(LongDateTest, LongNamesAndResultsAreCut) {
    {
        const PlantedName month(MonthNames[2], "Abcdefghijklmnopqrstuvwxyz");
        UsePicture("MMMM");
        EXPECT_EQ(Long(kTuesday), "Abcdefghijklmnopqrs5124"); // month cut to 19
    }
    {
        const PlantedName day(DayNames[2], std::string(80, 'w'));
        UsePicture("dddd, MMMM dd, yyyy");
        EXPECT_EQ(Long(kTuesday), std::string(39, 'w'));
    }
    // 41 characters of text, of which the caller receives 39.
    UsePicture("dddd', the 'dd' day of 'MMMM', 'yyyy");
    EXPECT_EQ(Long(Date(2024, 8, 25, 3)), "Wednesday, the 25 day of September, 202");
}

// Short names are put together with the rest in 16-byte windows, names of
// 16 or more characters in full: every length around those limits, and
// every total length up to and past the 31 characters that two windows
// hold, shows whole in every element order.
TEST_F(LongDateTest, NamesOfEveryLengthShowWhole) {
    const char *pictures[] = {"dddd, MMMM d, yyyy", "dddd d MMMM yyyy", "dddd yyyy MMMM d"};
    for (size_t dayLen = 0; dayLen <= 19; ++dayLen) {
        for (size_t monthLen = 0; monthLen <= 19; ++monthLen) {
            const std::string d(dayLen, 'w');
            const std::string m(monthLen, 'm');
            const PlantedName day(DayNames[2], d);
            const PlantedName month(MonthNames[2], m);
            for (int order = 0; order < 3; ++order) {
                UsePicture(pictures[order]);
                std::string want;
                if (order == 0)
                    want = d + ", " + m + " 5, 2024";
                else if (order == 1)
                    want = d + " 5 " + m + " 2024";
                else
                    want = d + " 2024 " + m + " 5";
                EXPECT_EQ(Long(kTuesday), want.substr(0, 39))
                    << "lengths " << dayLen << "/" << monthLen << " order " << order;
            }
        }
    }
}

TEST_F(LongDateTest, NeverReadsMoreThanFourValues) {
    // The load-time format has six conversions; it gets the four values
    // and a conversion given the wrong kind of value writes nothing.
    ChangeRecord([](WINDATESTRUC &r) { std::strcpy(r.szLongFmt, "%s%s%s%02d%s%s"); });
    EXPECT_EQ(Long(kTuesday), "TuesdayMarch2024");
    ChangeRecord([](WINDATESTRUC &r) { BuildLongFormat(r); });
    EXPECT_EQ(Long(kTuesday), "Tuesday, March 05, 2024");
}

// Pictures of today with quoted words anywhere in a literal, and one of the
// era with the quotes around whole literals, read from the profile by a
// library that loaded the names of the language.  Names are Windows-1252.
TEST(QuotedWordsTest, LongDatesOfEachLanguageShowTheWordsAsWritten) {
    struct Case {
        const char *language, *picture;
        KALDER_TM date;
        const char *expected;
    };
    const Case cases[] = {
        {"es", "dddd, d 'de' MMMM 'de' yyyy", Date(1999, 11, 25, 6),
         "s\341bado, 25 de diciembre de 1999"},
        {"es", "d 'de' MMMM 'de' yyyy", Date(1999, 11, 5, 0), "5 de diciembre de 1999"},
        {"es", "dddd d' de 'MMMM' de 'yyyy", Date(1999, 11, 25, 6),
         "s\341bado 25 de diciembre de 1999"},
        {"de", "dddd, 'den' d. MMMM yyyy", Date(2024, 7, 15, 4), "Donnerstag, den 15. August 2024"},
        {"en", "dddd, MMMM dd, yyyy", Date(1999, 11, 25, 6), "Saturday, December 25, 1999"},
    };
    for (const Case &c : cases) {
        host::Reset();
        ASSERT_TRUE(host::SetLanguage(c.language));
        host::CaptureMessageBoxes(true);
        ASSERT_TRUE(host::LoadLibrary());
        host::SetProfileKey("intl", "sLongDate", c.picture);
        GetWinDateFormat();
        char out[40];
        EXPECT_STREQ(FillLongDateFormatString(c.date, out), c.expected) << c.picture;
        EXPECT_TRUE(host::MessageBoxes().empty()) << c.picture;
        host::UnloadLibrary();
    }
    host::Reset();
}

TEST_F(LongDateTest, NullOutputGivesNull) {
    EXPECT_EQ(FillLongDateFormatString(kTuesday, nullptr), nullptr);
}

} // namespace
