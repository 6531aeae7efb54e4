// Reading the international settings: profile keys, the INF country entry
// under Windows 3.10 and 3.0, and the built-in settings elsewhere.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "frame/host/loader.h"
#include "kalder32.h"
#include "platform/host/host_control.h"
#include "record_snapshot.h"
#include "settings/analyse/pictures.h"
#include "settings/read/inf_reader.h"
#include "settings/read/read_settings.h"
#include "text/limited_text.h"

namespace {

namespace fs = std::filesystem;

plat::Window const kFocus = reinterpret_cast<plat::Window>(0x77);

// Fields 0..12 of a country entry are of no interest here.
const std::string kLeadingFields = "1!1!0!$!0!2!2!0!0!AM!PM!0!0!";
const std::string kUsEntry = kLeadingFields + ",!.!/!:!x!M/d/yy!dddd, MMMM dd, yyyy!extra!fields";

int Conversions(const char *format) {
    int n = 0;
    for (const char *p = format; *p; ++p) {
        if (*p == '%') {
            if (p[1] != '%')
                ++n;
            ++p;
        }
    }
    return n;
}

// A Windows directory in a temporary folder; the library runs over the
// built-in profile with the short-date picture removed.
class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host::Reset();
        host::CaptureMessageBoxes(true);
        host::SetFocusWindow(kFocus);
        char pattern[] = "/tmp/kalder_settings_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        fs::create_directory(dir / "SYSTEM");
        host::SetWindowsDirectory(dir.c_str());
        ASSERT_TRUE(host::LoadLibrary());
        host::ClearMessageBoxes();
        host::SetProfileKey("intl", "sShortDate", nullptr);
    }
    void TearDown() override {
        host::UnloadLibrary();
        host::Reset();
        fs::remove_all(dir);
    }
    void WriteInf(const char *name, const std::string &content) {
        std::ofstream(dir / "SYSTEM" / name, std::ios::binary) << content;
    }
    // A file with a [country] section holding one entry.
    void WriteCountryInf(const char *name, const std::string &key, const std::string &entry,
                         const char *lineEnd = "\r\n") {
        WriteInf(name, std::string("[setup]") + lineEnd + "\"x\"=\"y\"" + lineEnd + "[country]" +
                           lineEnd + "\"" + key + "\"=\"" + entry + "\"" + lineEnd);
    }
    std::string FindValue(const char *section, const char *key, int limit = 190) {
        char out[256];
        std::memset(out, '#', sizeof out);
        FindInfValue(section, key, "default", out, limit, (dir / "SYSTEM" / "T.INF").c_str());
        return out;
    }
    RecordSnapshot snapshot;
    fs::path dir;
};

TEST_F(SettingsTest, ProfilePicturesAreAnalysedWithoutTheInf) {
    WriteCountryInf("CONTROL.INF", "United States", kUsEntry);
    host::SetVersion(3, 10);
    host::SetProfileKey("intl", "sShortDate", "dd/MM/yy");
    host::SetProfileKey("intl", "sDate", "/");
    host::SetProfileKey("intl", "sLongDate", "dddd d MMMM yyyy");
    host::SetProfileKey("intl", "sTime", ".");
    GetWinDateFormat();
    EXPECT_EQ(Record().iShortOrder, 1);
    EXPECT_EQ(Record().bDayLZero, 1);
    EXPECT_EQ(Record().bMonthLZero, 1);
    EXPECT_EQ(Record().bFullYear, 0);
    EXPECT_STREQ(Record().szShortFmt, "%02d/%02d/%02d");
    EXPECT_STREQ(Record().sLongDate, "dddd d MMMM yyyy");
    EXPECT_EQ(GetTimeSep(), '.');
    EXPECT_TRUE(host::MessageBoxes().empty());
}

TEST_F(SettingsTest, MissingKeysEmptyTheirFields) {
    host::SetProfileKey("intl", "sShortDate", "M/d/yy");
    host::SetProfileKey("intl", "sDate", nullptr);
    host::SetProfileKey("intl", "sTime", nullptr);
    host::SetProfileKey("intl", "sThousand", nullptr);
    GetWinDateFormat();
    EXPECT_STREQ(Record().sDate, "");
    EXPECT_STREQ(Record().sThousand, "");
    EXPECT_STREQ(Record().sDecimal, ".");
    EXPECT_STREQ(Record().szShortFmt, "%d%d%02d");
    EXPECT_EQ(GetTimeSep(), '\0');
}

TEST_F(SettingsTest, OtherVersionsWarnAndUseTheBuiltInSettings) {
    host::SetProfileKey("intl", "sDate", "-");
    host::SetProfileKey("intl", "sTime", nullptr);
    for (unsigned minor : {0u, 10u}) {
        host::ClearMessageBoxes();
        host::SetVersion(4, minor);
        GetWinDateFormat();
        ASSERT_EQ(host::MessageBoxes().size(), 1u);
        const host::MessageBoxRecord &box = host::MessageBoxes()[0];
        EXPECT_EQ(box.text.rfind("The date format cannot be read", 0), 0u) << box.text;
        EXPECT_EQ(box.caption, "Date and Time");
        EXPECT_EQ(box.style, 0x30u);
        EXPECT_EQ(box.owner, kFocus);
        EXPECT_STREQ(Record().sDate, "/");
        EXPECT_STREQ(Record().sTime, ":");
        EXPECT_STREQ(Record().sShortDate, "");
        EXPECT_STREQ(Record().szShortFmt, "%02d/%02d/%d");
        EXPECT_EQ(Record().iDayName, 1); // the profile's long picture still counts
    }
}

TEST_F(SettingsTest, WithoutAnyPictureTheLongAnalysisRunsOnNothing) {
    host::SetProfileKey("intl", "sLongDate", nullptr);
    host::SetVersion(4, 0);
    GetWinDateFormat();
    EXPECT_EQ(Record().iDayName, 0);
    EXPECT_EQ(Record().iLongOrder, 2);
    EXPECT_EQ(Record().iMonthStyle, -1);
    EXPECT_STREQ(Record().szLongFmt, "%s%d%s%d");
}

TEST_F(SettingsTest, Version310ReadsTheUnitedStatesEntryOfControlInf) {
    host::SetProfileKey("intl", "sCountry", nullptr);
    host::SetProfileKey("intl", "sDate", "-");
    WriteCountryInf("CONTROL.INF", "United States", kUsEntry);
    WriteCountryInf("SETUP.INF", "United States", kLeadingFields + "'!'!.!.!x!d.M.yy!yyyy");
    host::SetVersion(3, 10);
    GetWinDateFormat();
    EXPECT_TRUE(host::MessageBoxes().empty());
    EXPECT_STREQ(Record().sThousand, ",");
    EXPECT_STREQ(Record().sDecimal, ".");
    EXPECT_STREQ(Record().sDate, "/");
    EXPECT_STREQ(Record().sTime, ":");
    EXPECT_STREQ(Record().sShortDate, "M/d/yy");
    EXPECT_STREQ(Record().sLongDate, "dddd, MMMM dd, yyyy");
    EXPECT_STREQ(Record().szShortFmt, "%d/%d/%02d");
}

TEST_F(SettingsTest, Version30ReadsSetupInfAndTheNamedCountry) {
    WriteCountryInf("CONTROL.INF", "Germany", kUsEntry);
    WriteCountryInf("SETUP.INF", "GERMANY", kLeadingFields + ".!,!.!:!x!dd.MM.yyyy!d. MMMM yyyy");
    host::SetProfileKey("intl", "sCountry", "Germany");
    host::SetVersion(3, 0);
    GetWinDateFormat();
    EXPECT_STREQ(Record().sThousand, ".");
    EXPECT_STREQ(Record().sDate, ".");
    EXPECT_STREQ(Record().sShortDate, "dd.MM.yyyy");
    EXPECT_STREQ(Record().sLongDate, "d. MMMM yyyy");
    EXPECT_EQ(Record().iShortOrder, 1);
    EXPECT_STREQ(Record().szShortFmt, "%02d.%02d.%d");
}

// The last field runs to the line end; neither the closing quote nor the
// line end may end up in the long picture, whatever the line ending.
TEST_F(SettingsTest, LongPictureAsLastFieldCarriesNoQuoteOrLineEnd) {
    host::SetVersion(3, 10);
    for (const char *lineEnd : {"\r\n", "\n"}) {
        WriteCountryInf("CONTROL.INF", "United States",
                        kLeadingFields + ",!.!/!:!x!M/d/yy!dddd, MMMM dd, yyyy", lineEnd);
        GetWinDateFormat();
        EXPECT_STREQ(Record().sLongDate, "dddd, MMMM dd, yyyy");
        EXPECT_EQ(Record().iDayName, 1);
        EXPECT_EQ(Conversions(Record().szLongFmt), 4) << Record().szLongFmt;
    }
}

TEST_F(SettingsTest, ShortEntryAppliesTheFieldsItHas) {
    host::SetVersion(3, 10);
    host::SetProfileKey("intl", "sDate", "-");
    host::SetProfileKey("intl", "sTime", "-");
    WriteCountryInf("CONTROL.INF", "United States", kLeadingFields + "'!,");
    GetWinDateFormat();
    EXPECT_STREQ(Record().sThousand, "'");
    EXPECT_STREQ(Record().sDecimal, ",");
    EXPECT_STREQ(Record().sDate, "-");
    EXPECT_STREQ(Record().sTime, "-");
    EXPECT_STREQ(Record().sShortDate, "");
}

TEST_F(SettingsTest, OverlongFieldsAreCutToTheirRecordFields) {
    host::SetVersion(3, 10);
    WriteCountryInf("CONTROL.INF", "United States",
                    kLeadingFields + ",!.!" + std::string(15, '/') + "!:!x!" +
                        std::string(25, 'd') + "!" + std::string(45, 'y'));
    GetWinDateFormat();
    EXPECT_EQ(std::string(Record().sDate), std::string(9, '/'));
    EXPECT_EQ(std::string(Record().sShortDate), std::string(19, 'd'));
    EXPECT_EQ(std::string(Record().sLongDate), std::string(39, 'y'));
    EXPECT_STREQ(Record().sThousand, ","); // neighbours untouched
}

// With no value the pictures in force stay, and the formats are rebuilt
// from them (not left at values built for other pictures).
TEST_F(SettingsTest, NoValueKeepsTheProfileAndRebuildsTheFormats) {
    host::SetVersion(3, 10);
    host::SetProfileKey("intl", "sDate", ".");
    host::SetProfileKey("intl", "sLongDate", "d MMMM yyyy");
    for (const char *file :
         {"", "[country]\r\n\"Canada\"=\"x\"\r\n", "[country]\r\n\"United States\"\r\n"}) {
        WriteInf("CONTROL.INF", file);
        GetWinDateFormat();
        EXPECT_STREQ(Record().sDate, ".");
        EXPECT_STREQ(Record().sShortDate, "");
        EXPECT_EQ(Record().iDayName, 0);
        EXPECT_EQ(Conversions(Record().szLongFmt), 4) << Record().szLongFmt;
        EXPECT_EQ(Conversions(Record().szShortFmt), 3) << Record().szShortFmt;
        EXPECT_TRUE(host::MessageBoxes().empty());
    }
}

TEST_F(SettingsTest, WindowsDirectoryTooLongForThePathIsAsNoFile) {
    host::SetVersion(3, 10);
    std::string deep = dir.string() + "/" + std::string(100, 'd');
    fs::create_directories(fs::path(deep) / "SYSTEM");
    std::ofstream(fs::path(deep) / "SYSTEM" / "CONTROL.INF")
        << "[country]\n\"United States\"=\"" << kUsEntry << "\"\n";
    host::SetWindowsDirectory(deep.c_str());
    GetWinDateFormat();
    EXPECT_STREQ(Record().sShortDate, "");
    host::SetWindowsDirectory(std::string(200, 'w').c_str());
    GetWinDateFormat();
    EXPECT_STREQ(Record().sShortDate, "");
    EXPECT_TRUE(host::MessageBoxes().empty());
}

TEST_F(SettingsTest, FindInfValueMatchesSectionAndKeyInAnyCase) {
    WriteInf("T.INF", "[other]\n\"Key\"=\"wrong\"\n[COUNTRY]\n\"Norway\"=\"no\"\n"
                      "\"UNITED STATES\"=\"us!1\"\n");
    EXPECT_EQ(FindValue("country", "United States"), "us!1\"\n");
    EXPECT_EQ(FindValue("Country", "norway"), "no\"\n");
    EXPECT_EQ(FindValue("country", "Canada"), "default");
    EXPECT_EQ(FindValue("countr", "Norway"), "default"); // "]" must follow the name
    EXPECT_EQ(FindValue("country", "Norwa"), "default"); // a quote must follow the key
    EXPECT_EQ(FindValue("missing", "Key"), "default");
    EXPECT_EQ(FindValue("country", "United States", 3), "us!");
}

TEST_F(SettingsTest, FindInfValueSearchesPastTheNextHeader) {
    WriteInf("T.INF", "[country]\n\"A\"=\"1\"\n[later]\n\"B\" = \"two\"\n\"C\"\n\"C\"=\"3\"\n");
    EXPECT_EQ(FindValue("country", "B"), "two\"\n");
    EXPECT_EQ(FindValue("country", "C"), "default"); // first match has no value
}

TEST_F(SettingsTest, FindInfValueWithoutFileOrWithAnOverlongPath) {
    EXPECT_EQ(FindValue("country", "A"), "default");
    char out[32] = "";
    FindInfValue("country", "A", "d", out, 31, (std::string(120, 'p') + "/x.inf").c_str());
    EXPECT_STREQ(out, "d");
}

// The host profile behaves as the system's does for the keys the library
// reads: any case, blanks and one pair of quotes dropped, read afresh.
TEST_F(SettingsTest, ProfileFileIsReadLikeWinIni) {
    const fs::path ini = dir / "win.ini";
    std::ofstream(ini) << "[Intl]\nSSHORTDATE = \"dd.MM.yyyy\" \nsDate=.\n[other]\nsTime=x\n";
    host::SetProfileFile(ini.c_str());
    char out[10];
    EXPECT_EQ(plat::ProfileString("intl", "sShortDate", "", out, sizeof out), 9u);
    EXPECT_STREQ(out, "dd.MM.yyy"); // cut to the area
    EXPECT_EQ(plat::ProfileString("intl", "sTime", "none", out, sizeof out), 4u);
    GetWinDateFormat();
    EXPECT_STREQ(Record().szShortFmt, "%02d.%02d.%d");

    std::ofstream(ini) << "[intl]\nsShortDate=M/d/yy\nsDate=/\n";
    GetWinDateFormat();
    EXPECT_STREQ(Record().szShortFmt, "%d/%d/%02d");
}

TEST(HostVersionTest, VersionIsWrittenAsTheSystemWritesIt) {
    const struct {
        const char *text;
        uint32_t version;
    } cases[] = {
        {"3.10", 0x0A03}, {"3.1", 0x0A03}, {"3.0", 0x0003}, {"4.0", 0x0004}, {"3.95", 0x5F03}};
    for (const auto &c : cases) {
        setenv("KALDER_WINVER", c.text, 1);
        host::Reset();
        EXPECT_EQ(plat::Version(), c.version) << c.text;
    }
    unsetenv("KALDER_WINVER");
    host::Reset();
    EXPECT_EQ(plat::Version(), 0x0004u);
}

TEST(NextFieldTest, SplitsAtDelimitersAndCutsLongFields) {
    char field[60];
    const std::string text = "a!!" + std::string(70, 'z') + "!last";
    const char *p = NextField(text.c_str(), "!", field, sizeof field);
    EXPECT_STREQ(field, "a");
    p = NextField(p, "!", field, sizeof field);
    EXPECT_STREQ(field, "");
    p = NextField(p, "!", field, sizeof field);
    EXPECT_EQ(std::string(field), std::string(59, 'z'));
    p = NextField(p, "!", field, sizeof field);
    EXPECT_EQ(std::string(field), std::string(11, 'z'));
    p = NextField(p, "!", field, sizeof field);
    EXPECT_STREQ(field, "last");
    EXPECT_EQ(p, nullptr);

    // A field of exactly the limit less one still ends at its delimiter.
    const std::string exact = std::string(59, 'e') + "!next";
    p = NextField(exact.c_str(), "!,", field, sizeof field);
    EXPECT_STREQ(p, "next");
    const char xy[] = "x,y";
    EXPECT_EQ(NextField(xy, "!,", field, sizeof field), xy + 2);
    EXPECT_STREQ(field, "x");
}

} // namespace
