// Calls each measured export 100,000 times with one fixed input, so that
// callgrind's inclusive instruction count of the export divided by the call
// count gives its cost per call.  Run under valgrind --tool=callgrind and
// read the exports' inclusive counts with callgrind_annotate --inclusive=yes.
#include <climits>
#include <cstdio>

#include "frame/host/loader.h"
#include "kalder32.h"
#include "platform/host/host_control.h"

namespace {

constexpr int kCalls = 100000;

// Keeps the compiler from dropping or merging the calls.
volatile int32_t Sink;

void ShortDates() {
    const DosDate date{2024, 3, 0, 5};
    char out[40];
    for (int i = 0; i < kCalls; ++i)
        Sink = FillDosDateFormatString(&date, out)[0];
}

void LongDates() {
    KALDER_TM tm{};
    tm.tm_year = 124;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_wday = 2;
    char out[40];
    for (int i = 0; i < kCalls; ++i)
        Sink = FillLongDateFormatString(tm, out)[0];
}

void Times() {
    char out[24];
    for (int i = 0; i < kCalls; ++i)
        Sink = FillTimeHrMin(13, 7, out)[0];
    for (int i = 0; i < kCalls; ++i)
        Sink = FillTimeFormatString(1709650000, out)[0];
}

void Parses() {
    DosDate date{};
    for (int i = 0; i < kCalls; ++i)
        Sink = ParseDosDateFormatString(&date, "12/25/1999");
    int32_t hour = 0;
    int32_t minute = 0;
    for (int i = 0; i < kCalls; ++i)
        Sink = ParseTimeHrMin(&hour, &minute, "13:07");
}

void Calendar() {
    for (int i = 0; i < kCalls; ++i) {
        DosDate date{2100, 0, 0, 0};
        Sink = JulianToDosd(200, &date);
    }
    int32_t n = 0;
    const DosDate date{2100, 7, 0, 19};
    for (int i = 0; i < kCalls; ++i)
        Sink = DosdToJulian(&date, &n);
    KALDER_TM tm{};
    tm.tm_year = 200;
    tm.tm_yday = 100;
    for (int i = 0; i < kCalls; ++i)
        Sink = CalcDateSeconds(&tm);
}

} // namespace

int main() {
    host::CaptureMessageBoxes(true);
    if (!host::LoadLibrary()) {
        std::fprintf(stderr, "callgrind_driver: the library did not attach\n");
        return 1;
    }
    ShortDates();
    LongDates();
    Times();
    Parses();
    Calendar();
    host::UnloadLibrary();
    return 0;
}
