// A loaded library with warning boxes captured, for the formatter and
// parser tests.  Warning texts are replaced by short ones that show their
// value plainly.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/host/loader.h"
#include "kalder32.h"
#include "platform/host/host_control.h"
#include "res/string_ids.h"

// A struct tm of a calendar date (mon from 0) and the weekday it claims.
inline KALDER_TM Date(int year, int mon, int mday, int wday) {
    KALDER_TM tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = mon;
    tm.tm_mday = mday;
    tm.tm_wday = wday;
    return tm;
}

// The library loaded with its own texts, warning boxes captured.
class LoadedLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host::Reset();
        host::CaptureMessageBoxes(true);
        ASSERT_TRUE(host::LoadLibrary());
    }
    void TearDown() override {
        host::UnloadLibrary();
        host::Reset();
    }
};

class LibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host::Reset();
        host::SetString(KALDER_STR_BAD_YEAR, "year %d");
        host::SetString(KALDER_STR_BAD_MONTH, "month %d");
        host::SetString(KALDER_STR_BAD_DAY, "day %d");
        host::SetString(KALDER_STR_BAD_HOUR, "hour %d");
        host::SetString(KALDER_STR_BAD_MINUTE, "minute %d");
        host::SetString(KALDER_STR_HOUR24_WITH_MINUTES, "hour 24 with minutes");
        host::SetString(KALDER_STR_WARNING_CAPTION, "Caption");
        host::CaptureMessageBoxes(true);
        host::SetFocusWindow(kFocus);
        ASSERT_TRUE(host::LoadLibrary());
        host::ClearMessageBoxes();
    }
    void TearDown() override {
        host::UnloadLibrary();
        host::Reset();
    }

    // The texts of the boxes shown since the last call.
    std::vector<std::string> TakeBoxes() {
        std::vector<std::string> texts;
        for (const host::MessageBoxRecord &box : host::MessageBoxes())
            texts.push_back(box.text);
        host::ClearMessageBoxes();
        return texts;
    }

    static inline plat::Window const kFocus = reinterpret_cast<plat::Window>(0x4711);
};
