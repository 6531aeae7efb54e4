// Loading and unloading the library over and over must leave nothing behind:
// no heap block, no resource module.  The same loop runs under valgrind in
// scripts/leakcheck.sh.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>

#include "frame/host/loader.h"
#include "kalder32.h"
#include "platform/host/host_control.h"

namespace {

int Cycles() {
    const char *env = std::getenv("KALDER_LOAD_CYCLES");
    return env != nullptr ? std::atoi(env) : 10000;
}

// One attach and detach with some use in between, so that the string
// buffers and name tables are not only allocated but also filled.
void LoadUseUnload() {
    ASSERT_TRUE(host::LoadLibrary());
    char out[40];
    KALDER_TM tm{};
    tm.tm_year = 124;
    tm.tm_wday = 2;
    FillLongDateFormatString(tm, out);
    DosDate d{};
    ParseDosDateFormatString(&d, "13/1/2000"); // fetches a warning text
    GetWinDateFormat();
    host::UnloadLibrary();
}

TEST(LoadCycles, RepeatedLoadAndUnloadLeaksNothing) {
    host::Reset();
    host::CaptureMessageBoxes(true);
    // The first cycles let the host stand-in's own containers (captured boxes
    // and the like) reach their working size; a leak grows with every cycle.
    for (int i = 0; i < 50; ++i) {
        LoadUseUnload();
        host::ClearMessageBoxes();
    }
    const size_t before = mallinfo2().uordblks;
    const int cycles = Cycles();
    for (int i = 0; i < cycles; ++i) {
        LoadUseUnload();
        host::ClearMessageBoxes();
        ASSERT_EQ(host::LoadedModuleCount(), 0) << "cycle " << i;
    }
    EXPECT_EQ(mallinfo2().uordblks, before)
        << "heap bytes in use grew over " << cycles << " cycles";
    host::Reset();
}

TEST(LoadCycles, RefusedLoadAllocatesNothing) {
    host::Reset();
    host::CaptureMessageBoxes(true);
    host::SetResourceModulePresent(false);
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 1000; ++i)
        ASSERT_FALSE(host::LoadLibrary());
    EXPECT_EQ(mallinfo2().uordblks, before);
    EXPECT_EQ(host::LoadedModuleCount(), 0);
    EXPECT_TRUE(host::MessageBoxes().empty());
    host::Reset();
}

} // namespace
