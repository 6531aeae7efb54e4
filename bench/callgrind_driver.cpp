// Calls each measured export 100,000 times with one fixed input, so that
// callgrind's inclusive instruction count of the export divided by the call
// count gives its cost per call.  Run under valgrind --tool=callgrind and
// read the exports' inclusive counts with callgrind_annotate --inclusive=yes.
//
//   kalder_callgrind_driver [CALLS [FAMILY]]
//
// CALLS replaces 100,000; FAMILY (short, long, time, time-value, date-parse,
// time-parse, julian-to-dosd, dosd-to-julian or seconds) runs that one alone, so that where no
// callgrind runs (a 32-bit build under emulation, bench/count-i686.sh) the difference between two
// counts of the whole program gives the cost per call.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/host/loader.h"
#include "kalder.h"
#include "kalder32.h"
#include "platform/host/host_control.h"

namespace {

int kCalls = 100000;

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
}

void TimeValues() {
    char out[24];
    for (int i = 0; i < kCalls; ++i)
        Sink = FillTimeFormatString(1709650000, out)[0];
}

void DateParses() {
    DosDate date{};
    for (int i = 0; i < kCalls; ++i)
        Sink = ParseDosDateFormatString(&date, "12/25/1999");
}

void TimeParses() {
    int32_t hour = 0;
    int32_t minute = 0;
    for (int i = 0; i < kCalls; ++i)
        Sink = ParseTimeHrMin(&hour, &minute, "13:07");
}

void DaysToDates() {
    for (int i = 0; i < kCalls; ++i) {
        DosDate date{2100, 0, 0, 0};
        Sink = JulianToDosd(200, &date);
    }
}

void DatesToDays() {
    int32_t n = 0;
    const DosDate date{2100, 7, 0, 19};
    for (int i = 0; i < kCalls; ++i)
        Sink = DosdToJulian(&date, &n);
}

void Seconds() {
    KALDER_TM tm{};
    tm.tm_year = 200;
    tm.tm_yday = 100;
    for (int i = 0; i < kCalls; ++i)
        Sink = CalcDateSeconds(&tm);
}

// The modern calls, with a settings object made once.
KalderSettings *settings = nullptr;

void ModernShortDates() {
    char out[40];
    for (int i = 0; i < kCalls; ++i)
        Sink = KalderFormatShortDate(settings, 2024, 3, 5, out, sizeof out);
}

void ModernLongDates() {
    char out[64];
    for (int i = 0; i < kCalls; ++i)
        Sink = KalderFormatLongDate(settings, 2024, 3, 5, out, sizeof out);
}

void ModernTimes() {
    char out[24];
    for (int i = 0; i < kCalls; ++i)
        Sink = KalderFormatTime(settings, 13, 7, out, sizeof out);
}

void ModernTimeValues() {
    char out[24];
    for (int i = 0; i < kCalls; ++i)
        Sink = KalderFormatTimeValue(settings, 1709650000, out, sizeof out);
}

void ModernDateParses() {
    KalderDate date{};
    for (int i = 0; i < kCalls; ++i)
        Sink = KalderParseDate(settings, "12/25/1999", KALDER_NUL_TERMINATED, &date, nullptr);
}

void ModernTimeParses() {
    int32_t hour = 0;
    int32_t minute = 0;
    for (int i = 0; i < kCalls; ++i)
        Sink = KalderParseTime(settings, "13:07", KALDER_NUL_TERMINATED, &hour, &minute, nullptr);
}

void ModernDaysToDates() {
    KalderDate date{};
    for (int i = 0; i < kCalls; ++i)
        Sink = KalderDateOfDay(2100, 200, &date);
}

void ModernDatesToDays() {
    for (int i = 0; i < kCalls; ++i)
        Sink = KalderDayOfYear(2100, 7, 19);
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1)
        kCalls = std::atoi(argv[1]);
    const char *only = argc > 2 ? argv[2] : nullptr;
    host::CaptureMessageBoxes(true);
    if (!host::LoadLibrary()) {
        std::fprintf(stderr, "callgrind_driver: the library did not attach\n");
        return 1;
    }
    settings = KalderSettingsInForce();
    const struct {
        const char *name;
        void (*run)();
    } families[] = {{"short", ShortDates},
                    {"long", LongDates},
                    {"time", Times},
                    {"time-value", TimeValues},
                    {"date-parse", DateParses},
                    {"time-parse", TimeParses},
                    {"julian-to-dosd", DaysToDates},
                    {"dosd-to-julian", DatesToDays},
                    {"seconds", Seconds},
                    {"modern-short", ModernShortDates},
                    {"modern-long", ModernLongDates},
                    {"modern-time", ModernTimes},
                    {"modern-time-value", ModernTimeValues},
                    {"modern-date-parse", ModernDateParses},
                    {"modern-time-parse", ModernTimeParses},
                    {"modern-date-of-day", ModernDaysToDates},
                    {"modern-day-of-year", ModernDatesToDays}};
    for (const auto &family : families)
        if (only == nullptr || std::strcmp(only, family.name) == 0)
            family.run();
    KalderSettingsFree(settings);
    host::UnloadLibrary();
    return 0;
}
