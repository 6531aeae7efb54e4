// The translated string tables: every text the library may receive from a
// kaldres.dll must keep the rules of the English one, and a library that
// loads the module of a language (on the host, as KALDER_LANGUAGE or
// host::SetLanguage chooses) shows its names in long dates and its warnings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "frame/host/loader.h"
#include "kalder32.h"
#include "platform/host/host_control.h"
#include "strings/date_names.h"

namespace {

struct Text {
    unsigned id;
    const char *text;
};

#define KALDER_STRING(id, text) {id, text},
const Text kEnglish[] = {
#include "res/strings_en.inc"
};
const Text kGerman[] = {
#include "res/strings_de.inc"
};
const Text kFrench[] = {
#include "res/strings_fr.inc"
};
const Text kSpanish[] = {
#include "res/strings_es.inc"
};
#undef KALDER_STRING

struct Table {
    const char *language;
    const Text *texts;
    size_t count;
};

const Table kTables[] = {
    {"en", kEnglish, std::size(kEnglish)},
    {"de", kGerman, std::size(kGerman)},
    {"fr", kFrench, std::size(kFrench)},
    {"es", kSpanish, std::size(kSpanish)},
};

// Conversions in a printf format, "%%" not counted.
std::vector<std::string> Conversions(const char *format) {
    std::vector<std::string> found;
    for (const char *p = std::strchr(format, '%'); p; p = std::strchr(p, '%')) {
        if (p[1] == '%') {
            p += 2;
            continue;
        }
        size_t length = 1 + std::strspn(p + 1, "-+ #0123456789.");
        found.emplace_back(p, length + (p[length] ? 1 : 0));
        p += length;
    }
    return found;
}

class TranslationTest : public ::testing::TestWithParam<Table> {
  protected:
    void SetUp() override {
        host::Reset();
        ASSERT_TRUE(host::SetLanguage(GetParam().language));
        host::CaptureMessageBoxes(true);
        ASSERT_TRUE(host::LoadLibrary());
    }
    void TearDown() override {
        host::UnloadLibrary();
        host::Reset();
    }
    const char *TextOf(unsigned id) const {
        for (size_t i = 0; i < GetParam().count; ++i)
            if (GetParam().texts[i].id == id)
                return GetParam().texts[i].text;
        return "";
    }
};

TEST_P(TranslationTest, HoldsEveryStringOnceInCatalogueOrderWithinTheLengthLimit) {
    ASSERT_EQ(GetParam().count, 46u);
    for (size_t i = 0; i < GetParam().count; ++i) {
        EXPECT_EQ(GetParam().texts[i].id, 1150u + i);
        EXPECT_GT(std::strlen(GetParam().texts[i].text), 0u) << GetParam().texts[i].id;
        EXPECT_LE(std::strlen(GetParam().texts[i].text), 254u) << GetParam().texts[i].id;
    }
}

TEST_P(TranslationTest, WarningsHoldExactlyTheConversionsTheLibraryPasses) {
    for (unsigned id = 1150; id <= 1157; ++id) {
        std::vector<std::string> conversions = Conversions(TextOf(id));
        if (id >= 1151 && id <= 1155) {
            ASSERT_EQ(conversions.size(), 1u) << id;
            EXPECT_EQ(conversions[0], "%d") << id;
        } else {
            EXPECT_TRUE(conversions.empty()) << id;
        }
    }
}

TEST_P(TranslationTest, LongDatesShowTheTranslatedNames) {
    // 25 December 1999 was a Saturday; 2 January 2000 a Sunday.
    KALDER_TM saturday{};
    saturday.tm_year = 99;
    saturday.tm_mon = 11;
    saturday.tm_mday = 25;
    saturday.tm_wday = 6;
    KALDER_TM sunday{};
    sunday.tm_year = 100;
    sunday.tm_mon = 0;
    sunday.tm_mday = 2;
    sunday.tm_wday = 0;
    char out[64];
    host::SetProfileKey("intl", "sLongDate", "dddd d MMMM yyyy");
    GetWinDateFormat();
    FillLongDateFormatString(saturday, out);
    EXPECT_EQ(std::string(out), std::string(TextOf(1164)) + " 25 " + TextOf(1183) + " 1999");
    FillLongDateFormatString(sunday, out);
    EXPECT_EQ(std::string(out), std::string(TextOf(1158)) + " 2 " + TextOf(1172) + " 2000");

    host::SetProfileKey("intl", "sLongDate", "ddd d MMM yyyy");
    GetWinDateFormat();
    FillLongDateFormatString(saturday, out);
    EXPECT_EQ(std::string(out), std::string(TextOf(1171)) + " 25 " + TextOf(1195) + " 1999");
    FillLongDateFormatString(sunday, out);
    EXPECT_EQ(std::string(out), std::string(TextOf(1165)) + " 2 " + TextOf(1184) + " 2000");
}

TEST_P(TranslationTest, RefusedDatesShowTheTranslatedWarning) {
    DosDate date{};
    host::ClearMessageBoxes();
    EXPECT_EQ(ParseDosDateFormatString(&date, "12/32/1999"), -1);
    ASSERT_EQ(host::MessageBoxes().size(), 1u);
    char expected[300];
    std::snprintf(expected, sizeof expected, TextOf(1153), 32);
    EXPECT_EQ(host::MessageBoxes()[0].text, expected);
    EXPECT_EQ(host::MessageBoxes()[0].caption, TextOf(1157));
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationTest, ::testing::ValuesIn(kTables),
                         [](const ::testing::TestParamInfo<Table> &info) {
                             return std::string(info.param.language);
                         });

// KALDER_LANGUAGE names the language by its code in any case, alone or
// leading a locale name; unset, empty or unknown, the texts are English, the
// last with a note. host::SetLanguage (kaldate --lang) takes precedence.
TEST(LanguageSetting, PicksTheModuleByTheLanguageCode) {
    const struct {
        const char *value; // nullptr: unset
        const char *saturday;
        bool noted;
    } cases[] = {
        {nullptr, "Saturday", false}, {"", "Saturday", false},
        {"en", "Saturday", false},    {"de", "Samstag", false},
        {"FR", "samedi", false},      {"es_ES.UTF-8", "s\341bado", false},
        {"de-AT", "Samstag", false},  {"it", "Saturday", true},
        {"german", "Saturday", true}, {"deutsch", "Saturday", true},
        {"C", "Saturday", true},
    };
    for (const auto &c : cases) {
        host::Reset();
        if (c.value)
            setenv("KALDER_LANGUAGE", c.value, 1);
        else
            unsetenv("KALDER_LANGUAGE");
        ::testing::internal::CaptureStderr();
        const bool loaded = host::LoadLibrary();
        const std::string note = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(loaded);
        EXPECT_STREQ(DayNames[6], c.saturday) << (c.value ? c.value : "(unset)");
        EXPECT_EQ(note.find("KALDER_LANGUAGE") != std::string::npos, c.noted) << note;
        host::UnloadLibrary();
    }
    setenv("KALDER_LANGUAGE", "de", 1);
    host::Reset();
    EXPECT_FALSE(host::SetLanguage("it"));
    ASSERT_TRUE(host::SetLanguage("fr"));
    ASSERT_TRUE(host::LoadLibrary());
    EXPECT_STREQ(MonthNames[11], "d\351cembre");
    host::UnloadLibrary();
    unsetenv("KALDER_LANGUAGE");
    host::Reset();
}

} // namespace
