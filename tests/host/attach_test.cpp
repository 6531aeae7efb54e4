// Attach and detach as the loader drives them: where the resource module is
// looked for, when the library is refused, and that every cycle releases
// what it took (the sanitizer build reports any block left behind).
#include <gtest/gtest.h>

#include <string>

#include "frame/attach.h"
#include "frame/host/loader.h"
#include "platform/host/host_control.h"
#include "record_snapshot.h"
#include "strings/date_names.h"
#include "strings/vs_string.h"

namespace {

class AttachTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host::Reset();
        host::CaptureMessageBoxes(true);
    }
    void TearDown() override {
        host::UnloadLibrary();
        EXPECT_EQ(host::LoadedModuleCount(), 0);
        host::Reset();
    }
    RecordSnapshot snapshot;
};

TEST_F(AttachTest, TakesTheResourceModuleFromTheLibrarysFolder) {
    host::SetModulePath("D:\\APPS\\KALDER32.DLL");
    ASSERT_TRUE(host::LoadLibrary());
    EXPECT_STREQ(host::LastLoadPath(), "D:\\APPS\\kaldres.dll");
    EXPECT_EQ(host::LoadedModuleCount(), 1);
    EXPECT_EQ(vs_GetInstance(), ResourceModule);
    EXPECT_STREQ(DayNames[1], "Monday");
    EXPECT_STREQ(MonthAbbrevs[11], "Dec");
    EXPECT_STREQ(Record().szShortFmt, "%d/%d/%02d"); // settings were read
    EXPECT_TRUE(host::MessageBoxes().empty());
}

TEST_F(AttachTest, DetachReleasesModuleNamesAndBuffers) {
    ASSERT_TRUE(host::LoadLibrary());
    host::UnloadLibrary();
    EXPECT_EQ(host::LoadedModuleCount(), 0);
    EXPECT_EQ(ResourceModule, nullptr);
    EXPECT_EQ(DayNames[0], nullptr);
    EXPECT_EQ(MonthNames[11], nullptr);
    host::UnloadLibrary(); // a second detach finds nothing to release
    EXPECT_EQ(host::LoadedModuleCount(), 0);
}

TEST_F(AttachTest, RefusedQuietlyWhenThePathOrTheModuleCannotBeHad) {
    const std::string deep = "C:\\" + std::string(243, 'd') + "\\KALDER32.DLL";
    const std::string tooLong = "C:\\" + std::string(300, 'x');
    const struct {
        const char *modulePath;
        bool present;
    } refusals[] = {
        {"", true},                          // no path at all
        {"KALDER32.DLL", true},              // no folder
        {"C:\\KALDER\\KALDER32.DLL", false}, // module missing
        {deep.c_str(), true},                // "\kaldres.dll" would not fit
        {tooLong.c_str(), true},             // cut short by the system
    };
    for (const auto &r : refusals) {
        host::SetModulePath(r.modulePath);
        host::SetResourceModulePresent(r.present);
        EXPECT_FALSE(host::LoadLibrary()) << r.modulePath;
        EXPECT_EQ(host::LoadedModuleCount(), 0);
        EXPECT_EQ(DayNames[0], nullptr);
    }
    EXPECT_TRUE(host::MessageBoxes().empty());
    EXPECT_EQ(host::BeepCount(), 0u);
}

TEST_F(AttachTest, LongestFolderThatLeavesRoomForTheModuleName) {
    // A folder of 243 characters + "\kaldres.dll" + terminator fills the
    // 256-byte path area; one more character does not fit.
    for (size_t length : {242u, 243u, 244u}) {
        const std::string folder = "C:\\" + std::string(length - 3, 'f');
        host::SetModulePath((folder + "\\K.DLL").c_str());
        EXPECT_EQ(host::LoadLibrary(), length <= 243) << length;
        if (length <= 243) {
            EXPECT_EQ(std::string(host::LastLoadPath()), folder + "\\kaldres.dll");
        }
        host::UnloadLibrary();
    }
}

TEST_F(AttachTest, ThreadNotificationsDoNothing) {
    EXPECT_EQ(DllMain(nullptr, kDllThreadAttach, nullptr), 1);
    EXPECT_EQ(DllMain(nullptr, kDllThreadDetach, nullptr), 1);
    EXPECT_EQ(host::LoadedModuleCount(), 0);
}

// Missing names are reported while the tables load, before the settings
// are read (here with the version warning).
TEST_F(AttachTest, BoxesDuringAttachComeInAttachOrder) {
    host::SetString(1172, nullptr);
    host::SetProfileKey("intl", "sShortDate", nullptr);
    host::SetVersion(4, 0);
    host::SetFocusWindow(reinterpret_cast<plat::Window>(0x99));
    ASSERT_TRUE(host::LoadLibrary());
    const auto &boxes = host::MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "vs_String(): Missing String Resource: wStringID=1172");
    EXPECT_EQ(boxes[1].text, boxes[0].text);
    EXPECT_EQ(boxes[2].caption, "Date and Time");
    EXPECT_EQ(boxes[2].owner, reinterpret_cast<plat::Window>(0x99));
    EXPECT_EQ(host::BeepCount(), 2u);
    EXPECT_STREQ(MonthNames[0], "?");
}

TEST_F(AttachTest, EveryReloadRepeatsTheWholeAttach) {
    for (int cycle = 0; cycle < 3; ++cycle) {
        ASSERT_TRUE(host::LoadLibrary());
        EXPECT_STREQ(DayNames[0], "Sunday");
        host::UnloadLibrary();
        EXPECT_EQ(host::LoadedModuleCount(), 0);
    }
    // New texts and settings between unload and load are picked up.
    host::SetString(1158, "Sonntag");
    host::SetProfileKey("intl", "sShortDate", "dd.MM.yyyy");
    host::SetProfileKey("intl", "sDate", ".");
    ASSERT_TRUE(host::LoadLibrary());
    EXPECT_STREQ(DayNames[0], "Sonntag");
    EXPECT_STREQ(Record().szShortFmt, "%02d.%02d.%d");
    host::UnloadLibrary();

    // So is the show-IDs switch: the buffers are made anew at attach.
    setenv("ZQSHOWVSIDS", "yes", 1);
    ASSERT_TRUE(host::LoadLibrary());
    unsetenv("ZQSHOWVSIDS");
    EXPECT_STREQ(DayNames[0], "<1158>");
    EXPECT_STREQ(vs_String(1157), "<1157>");
}

} // namespace
