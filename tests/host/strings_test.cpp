// The string table, the name tables and the warning box, seen through the
// boxes and beeps the host stand-in records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/host/host_control.h"
#include "strings/date_names.h"
#include "strings/vs_string.h"
#include "strings/warning.h"

namespace {

const char kNoModule[] = "<Error: vs_RegisterInstance() not called before string retrieval>";
plat::Window const kFocus = reinterpret_cast<plat::Window>(0x1234);

// A fresh string module over the English resource module; buffers absent,
// switch off, boxes captured.
class StringsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host::Reset();
        host::CaptureMessageBoxes(true);
        unsetenv("ZQSHOWVSIDS");
        FreeDateNames();
        vs_FreeBuffers();
        // Registration reuses the last size and count; start from the usual.
        ASSERT_EQ(vs_InitBuffers(7, 256), 0);
        module = plat::LoadModule("C:\\KALDER\\kaldres.dll");
        ASSERT_NE(module, nullptr);
        vs_RegisterInstance(module);
    }
    void TearDown() override {
        FreeDateNames();
        vs_FreeBuffers();
        plat::FreeModule(module);
        vs_RegisterInstance(nullptr);
        vs_FreeBuffers();
        unsetenv("ZQSHOWVSIDS");
        host::Reset();
    }
    // Recreates the buffers so that the switch is read again.
    void SwitchShowIds(const char *value) {
        if (value)
            setenv("ZQSHOWVSIDS", value, 1);
        else
            unsetenv("ZQSHOWVSIDS");
        vs_FreeBuffers();
    }
    static const host::MessageBoxRecord &OnlyBox() {
        EXPECT_EQ(host::MessageBoxes().size(), 1u);
        return host::MessageBoxes().front();
    }
    plat::Module module = nullptr;
};

TEST_F(StringsTest, LoadsTextsOfTheRegisteredModule) {
    EXPECT_STREQ(vs_String(1157), "Date and Time");
    EXPECT_STREQ(vs_StringN(1158, 3), "Sunday");
    EXPECT_STREQ(vs_StringNext(1172), "January");
    EXPECT_TRUE(host::MessageBoxes().empty());
    EXPECT_EQ(host::BeepCount(), 0u);
}

TEST_F(StringsTest, WithoutModuleEveryRetrievalGivesTheNoModuleTextSilently) {
    vs_RegisterInstance(nullptr);
    vs_FreeBuffers(); // first use creates them again
    EXPECT_STREQ(vs_String(1157), kNoModule);
    EXPECT_EQ(vs_BufferCount(), 7);
    EXPECT_EQ(vs_BufferSize(), 256);
    EXPECT_STREQ(vs_StringN(1157, 1), kNoModule);
    EXPECT_STREQ(vs_StringNext(1157), kNoModule);
    SwitchShowIds("YES"); // the number is not shown without a module
    EXPECT_STREQ(vs_String(1157), kNoModule);
    EXPECT_TRUE(host::MessageBoxes().empty());
    EXPECT_EQ(host::BeepCount(), 0u);
}

TEST_F(StringsTest, ShowIdsSwitchIsReadWhenTheBuffersAreCreated) {
    for (const char *on : {"YES", "Yes", "yes"}) {
        SwitchShowIds(on);
        EXPECT_STREQ(vs_String(1157), "<1157>") << on;
        EXPECT_STREQ(vs_StringN(1150, 6), "<1150>") << on;
        EXPECT_STREQ(vs_StringNext(1195), "<1195>") << on;
    }
    for (const char *off : {"yes ", "1", "no", ""}) {
        SwitchShowIds(off);
        EXPECT_STREQ(vs_String(1157), "Date and Time") << '"' << off << '"';
    }
    SwitchShowIds(nullptr);
    EXPECT_STREQ(vs_String(1157), "Date and Time");

    // A change while the buffers exist waits for them to be recreated.
    setenv("ZQSHOWVSIDS", "yes", 1);
    EXPECT_STREQ(vs_String(1157), "Date and Time");
    vs_FreeBuffers();
    EXPECT_STREQ(vs_String(1157), "<1157>");
}

TEST_F(StringsTest, IdentifiersAreCutToSixteenBits) {
    SwitchShowIds("yes");
    EXPECT_STREQ(vs_String(65535), "<65535>");
    EXPECT_STREQ(vs_String(65536 + 1), "<1>");
    SwitchShowIds(nullptr);
    EXPECT_STREQ(vs_String(65536 + 1157), "Date and Time");
}

TEST_F(StringsTest, MissingStringBeepsThenShowsStopBoxAndGivesQuestionMark) {
    host::SetString(1150, nullptr);
    EXPECT_STREQ(vs_String(1150), "?");
    const host::MessageBoxRecord &box = OnlyBox();
    EXPECT_EQ(box.text, "vs_String(): Missing String Resource: wStringID=1150");
    EXPECT_EQ(box.caption, "Error!");
    EXPECT_EQ(box.style, 0x2010u);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(host::BeepCount(), 1u);
}

TEST_F(StringsTest, MissingStringThroughEachRetrievalUsesItsOwnWording) {
    host::SetString(1150, nullptr);
    char *ring2 = vs_StringN(1157, 2);
    EXPECT_EQ(vs_StringN(1150, 2), ring2);
    EXPECT_STREQ(ring2, "?");
    EXPECT_EQ(OnlyBox().text, "vs_StringN(): Missing String Resource: wStringID=1150");
    host::ClearMessageBoxes();

    EXPECT_STREQ(vs_StringNext(1150), "?");
    EXPECT_EQ(OnlyBox().text, "vs_String(): Missing String Resource: wStringID=1150");
    EXPECT_EQ(host::BeepCount(), 2u);
}

TEST_F(StringsTest, IndexOutOfRangeReportsTheIndexAndLoadsNothing) {
    char *ring0 = vs_StringN(1157, 0);
    host::SetString(1150, nullptr); // would give a second box if loaded
    for (int index : {7, -1, 9}) {
        host::ClearMessageBoxes();
        EXPECT_EQ(vs_StringN(1150, index), ring0);
        EXPECT_STREQ(ring0, "?");
        const host::MessageBoxRecord &box = OnlyBox();
        EXPECT_EQ(box.text,
                  "vs_StringN(): String index out of range: buffer_index=" + std::to_string(index));
        EXPECT_EQ(box.caption, "Error!");
        EXPECT_EQ(box.style, 0x2010u);
    }
    // The index is a 16-bit number: 65536 + 3 is buffer 3.
    EXPECT_EQ(vs_StringN(1157, 65536 + 3), vs_StringN(1157, 3));
}

TEST_F(StringsTest, LongTextIsCutTo254Bytes) {
    host::SetString(1157, std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(vs_String(1157)), std::string(254, 'x'));
    EXPECT_EQ(std::string(vs_StringN(1157, 6)), std::string(254, 'x'));
}

TEST_F(StringsTest, RotationVisitsEveryRingBufferThenTheScratchBuffer) {
    char *scratch = vs_String(1157);
    char *ring[7];
    for (int i = 0; i < 7; ++i)
        ring[i] = vs_StringN(1157, i);
    // Where the cursor stands depends on earlier tests: turn until the
    // scratch buffer's turn, then follow a whole round.
    int turns = 0;
    while (vs_StringNext(1158) != scratch)
        ASSERT_LT(++turns, 8);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(vs_StringNext(1158 + static_cast<unsigned>(i)), ring[i]) << i;
    EXPECT_EQ(vs_StringNext(1158), scratch);
    // A text survives the next seven turns.
    char *kept = vs_StringNext(1172);
    for (int i = 0; i < 7; ++i)
        vs_StringNext(1184);
    EXPECT_STREQ(kept, "January");
}

TEST_F(StringsTest, InitBuffersRefusesTooFewOrTooSmallAndKeepsTheValues) {
    vs_FreeBuffers();
    EXPECT_EQ(vs_InitBuffers(0, 256), -1);
    EXPECT_EQ(vs_BufferCount(), 0);
    EXPECT_EQ(vs_InitBuffers(7, 1), -1);
    EXPECT_EQ(vs_BufferSize(), 1);
    // Registration creates with the recorded values and fails; the first
    // retrieval then creates the defaults.
    vs_RegisterInstance(module);
    EXPECT_STREQ(vs_String(1157), "Date and Time");
    EXPECT_EQ(vs_BufferCount(), 7);
    EXPECT_EQ(vs_BufferSize(), 256);
    vs_FreeBuffers();
    vs_FreeBuffers(); // nothing left to release
    EXPECT_EQ(vs_GetInstance(), module);
}

// Buffers smaller than the fixed texts receive them cut (the sanitizer
// build catches any write past a buffer).
TEST_F(StringsTest, SmallBuffersGetTheFixedTextsCut) {
    vs_FreeBuffers();
    ASSERT_EQ(vs_InitBuffers(2, 10), 0);
    vs_RegisterInstance(nullptr);
    EXPECT_STREQ(vs_String(1157), "<Error: v");
    vs_RegisterInstance(module);
    host::SetString(1150, nullptr);
    EXPECT_STREQ(vs_StringN(1150, 1), "?");
    EXPECT_EQ(OnlyBox().text, "vs_String");
    host::ClearMessageBoxes();
    EXPECT_STREQ(vs_StringN(1157, 5), "?");
    EXPECT_EQ(OnlyBox().text, "vs_String");
    EXPECT_STREQ(vs_String(1157), "Date and");
    SwitchShowIds("yes");
    ASSERT_EQ(vs_InitBuffers(1, 4), 0);
    EXPECT_STREQ(vs_String(12345), "<12");
}

TEST_F(StringsTest, EnglishTextsKeepToTheCatalogueRules) {
    const unsigned oneValue[] = {1151, 1152, 1153, 1154, 1155};
    for (unsigned id = 1150; id <= 1195; ++id) {
        char text[300];
        int length = plat::LoadString(module, id, text, sizeof text);
        ASSERT_GT(length, 0) << id;
        EXPECT_LE(length, 254) << id;
        int conversions = 0;
        for (const char *p = std::strchr(text, '%'); p; p = std::strchr(p + 1, '%')) {
            if (p[1] == '%') {
                ++p;
                continue;
            }
            EXPECT_EQ(p[1], 'd') << id;
            ++conversions;
        }
        bool takesValue =
            std::find(std::begin(oneValue), std::end(oneValue), id) != std::end(oneValue);
        EXPECT_EQ(conversions, takesValue ? 1 : 0) << id;
    }
    char text[32];
    plat::LoadString(module, 1158, text, sizeof text);
    EXPECT_STREQ(text, "Sunday");
    plat::LoadString(module, 1172, text, sizeof text);
    EXPECT_STREQ(text, "January");
    plat::LoadString(module, 1195, text, sizeof text);
    EXPECT_STREQ(text, "Dec");
}

class DateNamesTest : public StringsTest {};

// A text that ends before the length given (a second fetch that came back
// shorter) is held as it is.
TEST(NameEntries, HoldWhatTheTextHas) {
    char *entry = MakeNameEntry("Tue", 9);
    EXPECT_STREQ(entry, "Tue");
    FreeNameEntry(entry);
    entry = MakeNameEntry("Tuesday", 3);
    EXPECT_STREQ(entry, "Tue");
    FreeNameEntry(entry);
}

TEST_F(DateNamesTest, LoadCopiesEveryNameOnceAndFreeReleasesThem) {
    LoadDateNames();
    EXPECT_STREQ(DayNames[0], "Sunday");
    EXPECT_STREQ(DayNames[6], "Saturday");
    EXPECT_STREQ(DayAbbrevs[3], "Wed");
    EXPECT_STREQ(MonthNames[0], "January");
    EXPECT_STREQ(MonthNames[11], "December");
    EXPECT_STREQ(MonthAbbrevs[8], "Sep");
    EXPECT_NE(DayNames[0], vs_String(1158)); // a copy, not the buffer

    host::SetString(1158, "Sonntag");
    LoadDateNames(); // already loaded: nothing fetched
    EXPECT_STREQ(DayNames[0], "Sunday");

    FreeDateNames();
    EXPECT_EQ(DayNames[0], nullptr);
    EXPECT_EQ(MonthAbbrevs[11], nullptr);
    FreeDateNames();
    LoadDateNames();
    EXPECT_STREQ(DayNames[0], "Sonntag");
}

TEST_F(DateNamesTest, ShowIdsModeFillsTheNumbers) {
    SwitchShowIds("Yes");
    LoadDateNames();
    EXPECT_STREQ(DayNames[0], "<1158>");
    EXPECT_STREQ(DayAbbrevs[0], "<1165>");
    EXPECT_STREQ(MonthNames[0], "<1172>");
    EXPECT_STREQ(MonthAbbrevs[11], "<1195>");
}

TEST_F(DateNamesTest, MissingNameShowsTwoBoxesAndHoldsQuestionMark) {
    host::SetString(1160, nullptr);
    LoadDateNames();
    ASSERT_EQ(host::MessageBoxes().size(), 2u);
    for (const host::MessageBoxRecord &box : host::MessageBoxes())
        EXPECT_EQ(box.text, "vs_String(): Missing String Resource: wStringID=1160");
    EXPECT_STREQ(DayNames[2], "?");
    EXPECT_STREQ(MonthNames[10], "November");
    EXPECT_STREQ(MonthAbbrevs[0], "Jan");
}

class WarningTest : public StringsTest {
  protected:
    void SetUp() override {
        StringsTest::SetUp();
        host::SetFocusWindow(kFocus);
    }
};

TEST_F(WarningTest, FormatsTheTextThenFetchesTheCaption) {
    ShowWarning(kFocus, vs_String(1151), 1979);
    const host::MessageBoxRecord &box = OnlyBox();
    EXPECT_EQ(box.text, "The year 1979 is not valid. Please type a year from 1980 to 2100.");
    EXPECT_EQ(box.caption, "Date and Time");
    EXPECT_EQ(box.style, 0x30u);
    EXPECT_EQ(box.owner, kFocus);
}

TEST_F(WarningTest, TextWithoutValueAndNoOwner) {
    ShowWarning(nullptr, vs_String(1150));
    const host::MessageBoxRecord &box = OnlyBox();
    EXPECT_EQ(box.text,
              std::string("The date format cannot be read from the country settings on this "
                          "version of Windows. The standard settings (month/day/year) will be "
                          "used."));
    EXPECT_EQ(box.caption, "Date and Time");
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(host::BeepCount(), 0u);
}

TEST_F(WarningTest, ShowIdsModeShowsOnlyTheNumbers) {
    SwitchShowIds("YES");
    ShowWarning(kFocus, vs_String(1153), 32);
    EXPECT_EQ(OnlyBox().text, "<1153>");
    EXPECT_EQ(OnlyBox().caption, "<1157>");
}

TEST_F(WarningTest, AcceptsOneIntegerConversionWithFlagsWidthAndPrecision) {
    const struct {
        const char *format;
        int value;
        const char *shown;
    } cases[] = {
        {"Hour %+05d!", 7, "Hour +0007!"},
        {"%x", 255, "ff"},
        {"%#o", 8, "010"},
        {"100%% sure: %-3.2i|", 5, "100% sure: 05 |"},
        {"minute %u", 61, "minute 61"},
        {"no value at all", 3, "no value at all"},
        {"50%% off", 3, "50% off"},
    };
    for (const auto &c : cases) {
        host::ClearMessageBoxes();
        ShowWarning(kFocus, c.format, c.value);
        EXPECT_EQ(OnlyBox().text, c.shown) << c.format;
    }
}

TEST_F(WarningTest, OtherConversionsAreShownAsTheyStand) {
    for (const char *format : {"year %s", "year %d %d", "year %ld", "year %*d", "year %n",
                               "year %f", "year %", "%d%%%p"}) {
        host::ClearMessageBoxes();
        ShowWarning(kFocus, format, 1979);
        EXPECT_EQ(OnlyBox().text, format);
    }
    for (const char *format : {"version %d", "version %s"}) {
        host::ClearMessageBoxes();
        ShowWarning(kFocus, format);
        EXPECT_EQ(OnlyBox().text, format);
    }
    host::ClearMessageBoxes();
    ShowWarning(kFocus, "100%% done");
    EXPECT_EQ(OnlyBox().text, "100% done");
}

TEST_F(WarningTest, LongWarningIsCutAt255Bytes) {
    std::string format = std::string(250, 'a') + " %d";
    ShowWarning(kFocus, format.c_str(), 123456789);
    EXPECT_EQ(OnlyBox().text, std::string(250, 'a') + " 1234");
    host::ClearMessageBoxes();
    std::string plain(400, 'b');
    ShowWarning(kFocus, plain.c_str());
    EXPECT_EQ(OnlyBox().text, std::string(255, 'b'));
}

TEST_F(WarningTest, MissingTextsShowTheStopBoxesFirst) {
    host::SetString(1152, nullptr);
    host::SetString(1157, nullptr);
    ShowWarning(kFocus, vs_String(1152), 13);
    const auto &boxes = host::MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "vs_String(): Missing String Resource: wStringID=1152");
    EXPECT_EQ(boxes[1].text, "vs_String(): Missing String Resource: wStringID=1157");
    EXPECT_EQ(boxes[2].text, "?");
    EXPECT_EQ(boxes[2].caption, "?");
    EXPECT_EQ(boxes[2].style, 0x30u);
    EXPECT_EQ(boxes[2].owner, kFocus);
}

} // namespace
