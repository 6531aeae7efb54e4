// kalder.hpp against the C calls it stands on: for a spread of dates,
// times and typed texts, under the settings in force and three settings
// objects, each C++ result is the C call's text, or its status with the
// message KalderMessage gives for it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kalder.hpp"
#include "library_fixture.h"

using namespace std::chrono;

namespace {

constexpr std::string_view kGerman = "[intl]\nsDate=.\nsTime=.\nsShortDate=dd.MM.yyyy\n"
                                     "sLongDate=dddd, d. MMMM yyyy\n";
constexpr std::string_view kFrench = "sShortDate=d/M/yy\nsLongDate=dddd d MMMM yy\nsTime=h\n";
constexpr std::string_view kAmerican =
    "sShortDate=M/d/yyyy\nsDate=/\nsTime=:\nsLongDate=dddd, MMMM dd, yyyy\n";

// What a bounded C call gives, with room for any text.
struct Written {
    int length;
    std::string text;
};

template <class Call> Written Whole(Call call) {
    char out[1024];
    const int length = call(out, sizeof out);
    return {length, length >= 0 ? std::string(out, static_cast<size_t>(length)) : std::string()};
}

std::string MessageOf(const KalderSettings *s, KalderStatus status, int32_t refused) {
    return Whole(
               [&](char *out, size_t size) { return KalderMessage(s, status, refused, out, size); })
        .text;
}

// got is want's text, or its status with the message of refused.
void ExpectSame(const kalder::result<std::string> &got, const Written &want,
                const KalderSettings *s, int32_t refused) {
    if (want.length >= 0) {
        ASSERT_TRUE(got) << want.text;
        EXPECT_EQ(*got, want.text);
    } else {
        ASSERT_FALSE(got) << *got;
        EXPECT_EQ(got.error().status(), want.length);
        EXPECT_EQ(got.error().refused(), refused);
        EXPECT_EQ(got.error().message(), MessageOf(s, want.length, refused));
    }
}

// The parse's failure as the C call reported it.
template <class T>
void ExpectRefusal(const kalder::result<T> &got, const KalderSettings *s, KalderStatus status,
                   int32_t refused) {
    ASSERT_FALSE(got.has_value());
    EXPECT_EQ(got.error().status(), status);
    EXPECT_EQ(got.error().refused(), refused);
    EXPECT_EQ(got.error().message(), MessageOf(s, status, refused));
}

class ModernCppTest : public LoadedLibraryTest {
  protected:
    void SetUp() override {
        LoadedLibraryTest::SetUp();
        all_.emplace_back();
        for (const auto &[intl, language] :
             {std::pair{kGerman, "de"}, std::pair{kFrench, "fr"}, std::pair{kAmerican, "en"}}) {
            const kalder::result<kalder::settings> made =
                kalder::settings::from_text(intl, language);
            ASSERT_TRUE(made) << made.error().message();
            all_.push_back(*made);
        }
    }
    void TearDown() override {
        EXPECT_TRUE(host::MessageBoxes().empty());
        all_.clear();
        LoadedLibraryTest::TearDown();
    }

    // The settings in force, then German, French and American objects.
    std::vector<kalder::settings> all_;
};

TEST_F(ModernCppTest, DatesFormatAsTheCCallsFormatThem) {
    for (const kalder::settings &s : all_) {
        for (int y : {0, 1, 99, 1600, 1899, 1970, 1999, 2000, 2024, 2100, 9999, 10000}) {
            for (unsigned m : {0u, 1u, 2u, 8u, 12u, 13u}) {
                for (unsigned d : {0u, 1u, 28u, 29u, 30u, 31u, 32u}) {
                    const year_month_day date{year{y}, month{m}, day{d}};
                    const KalderStatus first = KalderDayOfYear(y, int32_t(m), int32_t(d));
                    const int32_t refused = first == KALDER_BAD_YEAR    ? y
                                            : first == KALDER_BAD_MONTH ? int32_t(m)
                                            : first == KALDER_BAD_DAY   ? int32_t(d)
                                                                        : 0;
                    ExpectSame(kalder::format_short(s, date), Whole([&](char *out, size_t size) {
                                   return KalderFormatShortDate(s.get(), y, int32_t(m), int32_t(d),
                                                                out, size);
                               }),
                               s.get(), refused);
                    ExpectSame(kalder::format_long(s, date), Whole([&](char *out, size_t size) {
                                   return KalderFormatLongDate(s.get(), y, int32_t(m), int32_t(d),
                                                               out, size);
                               }),
                               s.get(), refused);
                }
            }
        }
    }
    EXPECT_EQ(kalder::format_long(all_[1], 2024y / August / 5).value(), "Montag, 5. August 2024");
    EXPECT_EQ(kalder::format_long(all_[2], 2024y / August / 5).value(), "lundi 5 août 24");
}

TEST_F(ModernCppTest, TimesAreFlooredToTheMinuteAsTheCCallsFormatThem) {
    for (const kalder::settings &s : all_) {
        for (int64_t n = -2; n < 24 * 60 + 2; ++n) {
            const int32_t h = static_cast<int32_t>(n < 0 ? -1 : n / 60);
            const int32_t m = static_cast<int32_t>(n - int64_t{h} * 60);
            const Written want = Whole(
                [&](char *out, size_t size) { return KalderFormatTime(s.get(), h, m, out, size); });
            ExpectSame(kalder::format_time(s, hh_mm_ss<seconds>(minutes(n) + 59s)), want, s.get(),
                       want.length == KALDER_BAD_HOUR ? h : 0);
        }
        // Before 1970 a time counts back from the day it falls in; a
        // fraction of a second before a minute is still the minute before.
        for (int64_t t :
             {int64_t{-86401}, int64_t{-86400}, int64_t{-61}, int64_t{-1}, int64_t{0}, int64_t{59},
              int64_t{3600}, int64_t{86399}, int64_t{2147483648}, int64_t{253402300799}}) {
            const Written want = Whole([&](char *out, size_t size) {
                return KalderFormatTimeValue(s.get(), t, out, size);
            });
            ExpectSame(kalder::format_time(s, sys_seconds(seconds(t))), want, s.get(), 0);
            ExpectSame(kalder::format_time(s, local_seconds(seconds(t))), want, s.get(), 0);
            const Written before = Whole([&](char *out, size_t size) {
                return KalderFormatTimeValue(s.get(), t - 1, out, size);
            });
            ExpectSame(kalder::format_time(s, sys_time<milliseconds>(seconds(t) - 1ms)), before,
                       s.get(), 0);
        }
    }
    EXPECT_EQ(kalder::format_time(all_[3], sys_seconds(-1s)).value(), "23:59");
    EXPECT_EQ(kalder::format_time(all_[1], hh_mm_ss(24h)).value(), "24.00");
}

TEST_F(ModernCppTest, TextsParseAsTheCCallsParseThem) {
    const std::string longText(300, '1');
    const std::vector<std::string_view> texts = {
        "12/25/99",   "25.12.1999", "2/30/2024", "30.02.2024", "13/1/2000", "1.13.2000", "1/1/1979",
        "31.12.2100", "5/3/24",     "",          "abc",        "\xff",      "0:00",      "13:05",
        "13.05",      "24:00",      "24:01",     "25:00",      "12:60",     "7",         longText};
    for (const kalder::settings &s : all_) {
        for (std::string_view text : texts) {
            KalderDate date{};
            int32_t refused = -1;
            const KalderStatus dateStatus =
                KalderParseDate(s.get(), text.data(), text.size(), &date, &refused);
            const kalder::result<year_month_day> gotDate = kalder::parse_date(s, text);
            if (dateStatus == KALDER_OK)
                EXPECT_EQ(gotDate.value(), year{date.year} / date.month / date.day) << text;
            else
                ExpectRefusal(gotDate, s.get(), dateStatus, refused);

            int32_t hour = -1;
            int32_t minute = -1;
            const KalderStatus timeStatus =
                KalderParseTime(s.get(), text.data(), text.size(), &hour, &minute, &refused);
            const kalder::result<hh_mm_ss<minutes>> gotTime = kalder::parse_time(s, text);
            if (timeStatus == KALDER_OK)
                EXPECT_EQ(gotTime->to_duration(), hours(hour) + minutes(minute)) << text;
            else
                ExpectRefusal(gotTime, s.get(), timeStatus, refused);
        }
    }
    // The length is the text's end, with no terminator needed.
    const std::string_view typed = std::string_view("12/25/99 and more").substr(0, 8);
    EXPECT_EQ(kalder::parse_date(typed).value(), 1999y / December / 25);
    EXPECT_EQ(kalder::parse_time("24:00")->hours(), 24h);
    ExpectRefusal(kalder::parse_time("24:01"), nullptr, KALDER_BAD_HOUR_24, 0);
}

TEST_F(ModernCppTest, AnErrorKeepsItsWholeMessageInTheSettingsLanguage) {
    const std::string message = std::string(300, 'x') + " %d";
    host::SetString(KALDER_STR_BAD_DAY, message.c_str());
    const kalder::result<kalder::settings> made = kalder::settings::from_text(kAmerican);
    host::RestoreStrings();
    ASSERT_TRUE(made);
    const kalder::result<year_month_day> refused = kalder::parse_date(*made, "2/30/2024");
    ExpectRefusal(refused, made->get(), KALDER_BAD_DAY, 30);
    EXPECT_EQ(refused.error().message(), std::string(300, 'x') + " 30");
    EXPECT_EQ(kalder::parse_date(all_[1], "30.02.2024").error().message().substr(0, 10),
              "Der Tag 30");

    const kalder::result<kalder::settings> broken = kalder::settings::from_text("sDate=\xff");
    ExpectRefusal(broken, nullptr, KALDER_BAD_TEXT, 0);
    ExpectRefusal(kalder::settings::from_text(kGerman, "xx"), nullptr, KALDER_BAD_TEXT, 0);
    EXPECT_EQ(broken.value_or(all_[1]).get(), all_[1].get());
    EXPECT_DEATH((void)broken.value(), "value\\(\\) of a failed result: The text is not valid");
}

TEST_F(ModernCppTest, CopiesShareOneObjectThatOutlivesTheFirst) {
    kalder::settings kept;
    {
        kalder::settings copy = all_[1];
        EXPECT_EQ(copy.get(), all_[1].get());
        kept = std::move(copy);
        EXPECT_EQ(copy.get(), nullptr);
        all_[1] = kalder::settings();
    }
    EXPECT_EQ(kept.language().value(), "de");
    EXPECT_EQ(kept.text("sshortdate").value(), "dd.MM.yyyy");
    EXPECT_EQ(kalder::format_short(kept, 1999y / December / 25).value(), "25.12.1999");
    ExpectRefusal(kept.text("iCountry"), kept.get(), KALDER_BAD_ARGUMENT, 0);
}

TEST_F(ModernCppTest, DefaultSettingsFollowTheSettingsInForceAndASnapshotDoesNot) {
    const kalder::result<kalder::settings> before = kalder::settings::in_force();
    ASSERT_TRUE(before);
    host::SetProfileKey("intl", "sShortDate", "dd.MM.yyyy");
    host::SetProfileKey("intl", "sDate", ".");
    GetWinDateFormat();
    const year_month_day christmas = 1999y / December / 25;
    EXPECT_EQ(kalder::format_short(christmas).value(), "25.12.1999");
    EXPECT_EQ(kalder::format_short(kalder::settings(), christmas).value(), "25.12.1999");
    EXPECT_EQ(kalder::format_short(*before, christmas).value(), "12/25/99");
    EXPECT_EQ(kalder::parse_date("25.12.1999").value(), christmas);
}

TEST_F(ModernCppTest, TheCalendarIsTheCCalendar) {
    for (int y : {0, 1, 1900, 2000, 2023, 2024, 9999, 10000}) {
        for (int32_t m = 0; m <= 13; ++m) {
            const int32_t days = KalderDaysInMonth(y, m);
            const auto got = kalder::days_in_month(year{y} / month{unsigned(m)});
            EXPECT_EQ(got ? int32_t(*got) : got.error().status(), days);
        }
        for (int32_t n : {-400, -1, 0, 1, 59, 60, 365, 366, 367, 800}) {
            KalderDate want{};
            const KalderStatus status = KalderDateOfDay(y, n, &want);
            const auto got = kalder::date_of_day(year{y}, n);
            ASSERT_EQ(got.has_value(), status == KALDER_OK);
            if (got) {
                EXPECT_EQ(*got, year{want.year} / want.month / want.day);
                EXPECT_EQ(weekday(sys_days(*got)).c_encoding(), unsigned(want.weekday));
                EXPECT_EQ(kalder::day_of_year(*got).value(),
                          KalderDayOfYear(want.year, want.month, want.day));
            }
        }
    }
}

} // namespace
