// The modern interface: settings objects from text, the decided quirks,
// bounded output, quiet parsing and a calendar without shared state.  Its
// agreement with the classic calls over the calls pass is checked there
// (tests/calls/modern_diff.c).
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "calendar/civil.h"
#include "kalder.h"
#include "library_fixture.h"
#include "modern/civil_checks.h"
#include "text/unicode.h"

namespace {

constexpr char kGerman[] = "[intl]\r\nsShortDate=dd.MM.yyyy\r\nsDate=.\r\n"
                           "sLongDate=dddd, 'den' d. MMMM yyyy\r\nsTime=:\r\n";
constexpr char kUs[] = "sShortDate=M/d/yy\nsLongDate=dddd, MMMM dd, yyyy\nsDate=/\nsTime=:\n";

// A settings object given back at the end of the scope.
struct Owned {
    KalderSettings *settings;
    explicit Owned(KalderSettings *s) : settings(s) {}
    ~Owned() { KalderSettingsFree(settings); }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    operator const KalderSettings *() const { return settings; }
};

KalderSettings *FromText(const char *intl, const char *language = nullptr,
                         KalderStatus *why = nullptr) {
    return KalderSettingsFromText(intl, KALDER_NUL_TERMINATED, language, why);
}

std::string ShortDate(const KalderSettings *s, int y, int m, int d) {
    char out[64];
    return KalderFormatShortDate(s, y, m, d, out, sizeof out) >= 0 ? out : "error";
}

std::string LongDate(const KalderSettings *s, int y, int m, int d) {
    char out[256];
    return KalderFormatLongDate(s, y, m, d, out, sizeof out) >= 0 ? out : "error";
}

std::string Time(const KalderSettings *s, int h, int m) {
    char out[64];
    return KalderFormatTime(s, h, m, out, sizeof out) >= 0 ? out : "error";
}

std::string Key(const KalderSettings *s, const char *key) {
    char out[64];
    return KalderSettingsText(s, key, out, sizeof out) >= 0 ? out : "error";
}

using ModernTest = LoadedLibraryTest;

TEST_F(ModernTest, SettingsTextIsReadAsTheProfileIsRead) {
    const Owned s(FromText("; a comment\n[intl]\n  STIME = \" h \"  \nsTime=x\n"
                           "sShortDate=d/M/yyyy\r\n[other]\nsDate=-\n"));
    ASSERT_NE(s.settings, nullptr);
    EXPECT_EQ(Key(s, "sTime"), " h "); // any case, quotes and blanks dropped, first wins
    EXPECT_EQ(Key(s, "sDate"), "");    // the next section ends the text
    EXPECT_EQ(Key(s, "SSHORTDATE"), "d/M/yyyy");
    EXPECT_EQ(Key(s, "sCountry"), "error");
    EXPECT_EQ(ShortDate(s, 1999, 12, 25), "25121999"); // no separator
    EXPECT_EQ(Time(s, 9, 5), "9 05");                  // the first character
}

TEST_F(ModernTest, SettingsTextIsRefusedRatherThanCut) {
    KalderStatus why = KALDER_OK;
    EXPECT_EQ(FromText("sTime=0123456789", nullptr, &why), nullptr); // 10 bytes, field of 10
    EXPECT_EQ(why, KALDER_BAD_TEXT);
    EXPECT_EQ(FromText("sDate=\xC3", nullptr, &why), nullptr); // not UTF-8
    EXPECT_EQ(why, KALDER_BAD_TEXT);
    EXPECT_EQ(FromText(kUs, "deutsch", &why), nullptr);
    EXPECT_EQ(why, KALDER_BAD_TEXT);
    EXPECT_EQ(KalderSettingsFromText(nullptr, 0, nullptr, &why), nullptr);
    EXPECT_EQ(why, KALDER_BAD_ARGUMENT);
    // Nine bytes fit: four characters of two bytes each, and one more.
    const Owned fits(FromText("sTime=\xC2\xB7\xC2\xB7\xC2\xB7\xC2\xB7x", nullptr, &why));
    EXPECT_NE(fits.settings, nullptr);
}

TEST_F(ModernTest, MissingShortPictureGivesTheBuiltInDefaultsQuietly) {
    const Owned s(FromText("sLongDate=MMMM d, yyyy"));
    ASSERT_NE(s.settings, nullptr);
    EXPECT_EQ(ShortDate(s, 2024, 3, 5), "03/05/2024");
    EXPECT_EQ(LongDate(s, 2024, 3, 5), "March 5, 2024");
    EXPECT_TRUE(host::MessageBoxes().empty());
}

TEST_F(ModernTest, OneLanguageGivesNamesAndMessagesInUtf8) {
    const Owned de(FromText(kGerman, "de_DE.UTF-8"));
    const Owned fr(FromText("sShortDate=dd/MM/yyyy\nsLongDate=dddd d MMMM yyyy", "FR"));
    EXPECT_EQ(LongDate(de, 2024, 3, 15), "Freitag, den 15. M\xC3\xA4rz 2024");
    EXPECT_EQ(LongDate(fr, 2024, 2, 15), "jeudi 15 f\xC3\xA9vrier 2024");
    EXPECT_EQ(LongDate(fr, 2024, 8, 15), "jeudi 15 ao\xC3\xBBt 2024");
    char out[256];
    ASSERT_GT(KalderMessage(de, KALDER_BAD_DAY, 30, out, sizeof out), 0);
    EXPECT_NE(std::strstr(out, "30"), nullptr);
    EXPECT_TRUE(uni::IsUtf8(out, std::strlen(out)));
    EXPECT_NE(std::strstr(out, "ung\xC3\xBCltig"), nullptr);
    KalderSettingsLanguage(fr, out, sizeof out);
    EXPECT_STREQ(out, "fr");
    // A status with no text of the classic calls gets a built-in English one.
    EXPECT_GT(KalderMessage(de, KALDER_NO_MEMORY, 0, out, sizeof out), 0);
    EXPECT_NE(std::strstr(out, "memory"), nullptr);
}

TEST_F(ModernTest, DecidedQuirks) {
    const Owned s(FromText("sShortDate=d/M/yy\nsDate=/\nsLongDate=d MMMMM yy\nsTime=\n"));
    ASSERT_NE(s.settings, nullptr);
    EXPECT_EQ(ShortDate(s, 2150, 1, 2), "2/1/50"); // the year modulo 100
    EXPECT_EQ(ShortDate(s, 1850, 1, 2), "2/1/50");
    EXPECT_EQ(LongDate(s, 2024, 1, 2), "2 January 24"); // 4 or more letters: the name
    EXPECT_EQ(LongDate(s, 2005, 1, 2), "2 January 05");
    EXPECT_EQ(Time(s, 9, 5), "905"); // an empty separator joins
    const Owned noMonth(FromText("sShortDate=d/M/yy\nsLongDate=d yyyy"));
    EXPECT_EQ(LongDate(noMonth, 2024, 1, 2), "2 2024");
    // No cut at 39 bytes.
    const Owned wide(FromText("sShortDate=d/M/yy\nsLongDate=dddd ~~~~~ MMMM ~~~~~ dd ~~~~~ yyyy"));
    EXPECT_EQ(LongDate(wide, 2024, 9, 18), "Wednesday ~~~~~ September ~~~~~ 18 ~~~~~ 2024");
}

TEST_F(ModernTest, BadValuesGiveTheirStatusAndAnEmptyText) {
    char out[8] = "xxxxxxx";
    EXPECT_EQ(KalderFormatShortDate(nullptr, 0, 1, 1, out, sizeof out), KALDER_BAD_YEAR);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(KalderFormatLongDate(nullptr, 2023, 2, 29, out, sizeof out), KALDER_BAD_DAY);
    EXPECT_EQ(KalderFormatShortDate(nullptr, 2023, 13, 1, out, sizeof out), KALDER_BAD_MONTH);
    EXPECT_EQ(KalderFormatTime(nullptr, 24, 1, out, sizeof out), KALDER_BAD_HOUR_24);
    EXPECT_EQ(KalderFormatTime(nullptr, 25, 0, out, sizeof out), KALDER_BAD_HOUR);
    EXPECT_EQ(KalderFormatTime(nullptr, 1, 60, out, sizeof out), KALDER_BAD_MINUTE);
    EXPECT_EQ(KalderFormatTime(nullptr, 1, 0, nullptr, 5), KALDER_BAD_ARGUMENT);
    EXPECT_EQ(KalderFormatTime(nullptr, 1, 0, nullptr, 0), 4); // the length alone
}

TEST_F(ModernTest, ParsingIsQuietAndNamesTheRefusedValue) {
    KalderDate date{1, 2, 3, 4};
    int32_t refused = -1;
    EXPECT_EQ(KalderParseDate(nullptr, "2/30/2024", KALDER_NUL_TERMINATED, &date, &refused),
              KALDER_BAD_DAY);
    EXPECT_EQ(refused, 30);
    EXPECT_EQ(date.year, 1); // not written
    EXPECT_EQ(KalderParseDate(nullptr, "12/25/99 and more", 8, &date, &refused), KALDER_OK);
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(date.year * 10000 + date.month * 100 + date.day, 19991225);
    EXPECT_EQ(date.weekday, 6);
    EXPECT_EQ(KalderParseDate(nullptr, "1/2\0/3", 6, &date, &refused), KALDER_BAD_TEXT);
    int32_t hour = -1;
    int32_t minute = -1;
    EXPECT_EQ(KalderParseTime(nullptr, "24:00", KALDER_NUL_TERMINATED, &hour, &minute, nullptr),
              KALDER_OK);
    EXPECT_EQ(hour, 24);
    EXPECT_EQ(KalderParseTime(nullptr, "24:30", KALDER_NUL_TERMINATED, &hour, &minute, &refused),
              KALDER_BAD_HOUR_24);
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(KalderParseTime(nullptr, "7:75", KALDER_NUL_TERMINATED, &hour, &minute, &refused),
              KALDER_BAD_MINUTE);
    EXPECT_EQ(refused, 75);
    EXPECT_TRUE(host::MessageBoxes().empty());
}

// Every size from 0 to one past the length: the longest prefix of whole
// characters, terminated, and nothing beyond size touched.
TEST_F(ModernTest, OutputIsBoundedToWholeCharacters) {
    const Owned fr(FromText("sShortDate=d\xC2\xB7M\xC2\xB7yyyy\nsDate=\xC2\xB7\n"
                            "sLongDate=dddd d MMMM yyyy",
                            "fr"));
    const Owned de(FromText(kGerman, "de"));
    using Format = int (*)(const KalderSettings *, int32_t, int32_t, int32_t, char *, size_t);
    for (Format format : {&KalderFormatLongDate, &KalderFormatShortDate}) {
        for (const KalderSettings *s : {fr.settings, de.settings}) {
            for (int month = 1; month <= 12; ++month) {
                char full[256];
                const auto length = static_cast<size_t>(format(s, 2024, month, 9, full, 256));
                for (size_t size = 0; size <= length + 1; ++size) {
                    char out[258];
                    std::memset(out, 0x5A, sizeof out);
                    ASSERT_EQ(static_cast<size_t>(format(s, 2024, month, 9, out, size)), length);
                    for (size_t i = size; i < sizeof out; ++i)
                        ASSERT_EQ(out[i], 0x5A) << "byte " << i << " of " << size;
                    if (size == 0)
                        continue;
                    const size_t kept = std::strlen(out);
                    ASSERT_EQ(kept, uni::WholePrefix(full, length, size - 1));
                    ASSERT_EQ(std::memcmp(out, full, kept), 0);
                    ASSERT_TRUE(uni::IsUtf8(out, kept));
                }
            }
        }
    }
}

TEST(ModernUtf16, BoundedOutputNeverSplitsASurrogatePair) {
    const char16_t text[] = u"a\U0001F600b\u00e9";
    const size_t length = uni::Length(text);
    for (size_t size = 0; size <= length + 1; ++size) {
        char16_t out[8];
        std::fill(std::begin(out), std::end(out), u'#');
        ASSERT_EQ(uni::PutBounded(text, length, out, size), length);
        for (size_t i = size; i < std::size(out); ++i)
            ASSERT_EQ(out[i], u'#');
        if (size == 0)
            continue;
        const size_t kept = uni::Length(out);
        ASSERT_LE(kept, size - 1);
        ASSERT_GE(kept + 1, size - 1); // at most the one high half left out
        ASSERT_FALSE(kept > 0 && out[kept - 1] >= 0xD800 && out[kept - 1] < 0xDC00);
    }
    char utf8[16];
    ASSERT_EQ(uni::Utf8FromUtf16(text, length, utf8, sizeof utf8), 8);
    char16_t back[16];
    ASSERT_EQ(uni::Utf16FromUtf8(utf8, 8, back, std::size(back)), length);
    ASSERT_EQ(std::memcmp(back, text, length * sizeof *text), 0);
    const char16_t half[] = {u'a', 0xD83D, u'b'};
    EXPECT_EQ(uni::Utf8FromUtf16(half, 3, utf8, sizeof utf8), -1);
}

TEST_F(ModernTest, ObjectsStayAsMadeThroughRefreshes) {
    const Owned before(KalderSettingsInForce());
    const Owned copy(KalderSettingsCopy(before));
    EXPECT_EQ(copy.settings, before.settings);
    host::SetProfileKey("intl", "sShortDate", "yyyy-MM-dd");
    GetWinDateFormat();
    EXPECT_EQ(ShortDate(before, 2024, 8, 15), "8/15/24");
    EXPECT_EQ(ShortDate(nullptr, 2024, 8, 15), "2024/08/15");
    const Owned after(KalderSettingsInForce());
    EXPECT_EQ(Key(after, "sShortDate"), "yyyy-MM-dd");
}

// The settings in force are read in the system code page (Windows-1252 on
// the host) and held in UTF-8, cut between whole characters.
TEST_F(ModernTest, SettingsInForceAreConvertedToUtf8) {
    host::SetProfileKey("intl", "sDate", "\xB7");
    host::SetProfileKey("intl", "sLongDate", "dddd d MMMM yyyy '\xE9\xE9\xE9\xE9\xE9'");
    GetWinDateFormat();
    const Owned s(KalderSettingsInForce());
    EXPECT_EQ(Key(s, "sDate"), "\xC2\xB7");
    EXPECT_EQ(ShortDate(s, 2024, 8, 15), "8\xC2\xB7"
                                         "15\xC2\xB7"
                                         "24");
    const std::string literal = Key(s, "sLongDate");
    EXPECT_TRUE(uni::IsUtf8(literal.data(), literal.size()));
}

TEST_F(ModernTest, CalendarCallsWriteNoSharedState) {
    CorrectLeapFromYear(2023);
    KalderDate date{};
    EXPECT_EQ(KalderDaysInMonth(2024, 2), 29);
    EXPECT_EQ(KalderDayOfYear(2024, 12, 31), 366);
    EXPECT_EQ(KalderDateOfDay(2024, 60, &date), KALDER_OK);
    EXPECT_EQ(date.month * 100 + date.day, 229);
    KalderParseDate(nullptr, "2/29/2024", KALDER_NUL_TERMINATED, &date, nullptr);
    EXPECT_EQ(Days_in_Month(2), 28);
    EXPECT_EQ(KalderDateOfDay(9999, 366, &date), KALDER_BAD_DAY);
    EXPECT_EQ(KalderDateOfDay(1, 0, &date), KALDER_BAD_DAY);
    EXPECT_EQ(KalderDayOfYear(2023, 2, 29), KALDER_BAD_DAY);
}

// The table-driven leap years and weekdays against the day count, for every
// day of every year.
TEST(ModernCalendar, LeapYearsAndWeekdaysAgreeWithTheDayCount) {
    for (int32_t year = 1; year <= 9999; ++year) {
        ASSERT_EQ(modern::FebruaryOfYear(year), FebruaryOf(year)) << year;
        for (int32_t month = 1; month <= 12; ++month) {
            const int64_t first = DaysFromCivil(year, static_cast<unsigned>(month), 1);
            for (int32_t day = 1; day <= MonthLength(month, FebruaryOf(year)); ++day)
                ASSERT_EQ(modern::WeekdayOfDate(year, month, day),
                          static_cast<int32_t>(WeekdayFromDays(first + day - 1)))
                    << year << "-" << month << "-" << day;
        }
    }
}

// Seconds and dates agree with the classic calls over the 32-bit range and
// go on past 2038 and before 1970.
TEST_F(ModernTest, SecondsRoundTrip) {
    for (int64_t t :
         {int64_t{0}, int64_t{-1}, int64_t{951782400}, int64_t{INT32_MAX}, int64_t{INT32_MIN},
          int64_t{4102444800}, int64_t{-62135596800}, int64_t{253402300799}}) {
        KalderDate date{};
        int32_t hour = 0;
        int32_t minute = 0;
        ASSERT_EQ(KalderDateOfSeconds(t, &date, &hour, &minute), KALDER_OK) << t;
        const int64_t back = KalderSecondsOf(&date, hour, minute);
        EXPECT_EQ(back, t - ((t % 60) + 60) % 60) << t;
        if (t >= INT32_MIN && t <= INT32_MAX && date.year >= 1970) {
            KALDER_TM tm = Date(date.year, date.month - 1, date.day, 0);
            tm.tm_hour = hour;
            tm.tm_min = minute;
            SetTmJulian(&tm);
            EXPECT_EQ(int64_t{CalcDateSeconds(&tm)}, back) << t;
        }
    }
    KalderDate date{};
    EXPECT_EQ(KalderDateOfSeconds(253402300800, &date, nullptr, nullptr), KALDER_BAD_YEAR);
    EXPECT_EQ(KalderSecondsOf(&date, 0, 0), INT64_MIN);
}

// Two objects of different settings on many threads at once, beside
// refreshes and calls with the settings in force (run under
// ThreadSanitizer too).
TEST_F(ModernTest, TwoSettingsOnManyThreads) {
    const Owned de(FromText(kGerman, "de"));
    const Owned us(FromText(kUs, "en"));
    const std::string wantDe = LongDate(de, 2024, 3, 15);
    const std::string wantUs = LongDate(us, 2024, 3, 15);
    std::atomic<int> wrong{0};
    std::atomic<bool> done{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 3000; ++i) {
                const bool german = (i + t) % 2 == 0;
                if (LongDate(german ? de.settings : us.settings, 2024, 3, 15) !=
                    (german ? wantDe : wantUs))
                    ++wrong;
                char out[64];
                KalderFormatShortDate(nullptr, 2024, 3, 15, out, sizeof out);
            }
        });
    }
    std::thread refresher([&] {
        while (!done.load())
            GetWinDateFormat();
    });
    for (std::thread &thread : threads)
        thread.join();
    done = true;
    refresher.join();
    EXPECT_EQ(wrong.load(), 0);
}

} // namespace
