// Each export family beside what an application would call instead, in the
// same run.  Inputs rotate through a small table so that no call can be
// folded away or answered from a branch predictor's memory of one value.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "calendar/civil.h"
#include "calendar/month_table.h"
#include "frame/host/loader.h"
#include "kalder.h"
#include "kalder32.h"
#include "platform/host/host_control.h"

namespace {

constexpr int kRing = 8;

struct Ymd {
    int year, month, day, wday;
};
constexpr Ymd kDates[kRing] = {{1999, 12, 25, 6}, {2000, 1, 1, 6},  {2024, 3, 5, 2},
                               {1987, 7, 14, 2},  {2038, 1, 19, 2}, {2011, 11, 30, 3},
                               {1970, 1, 1, 4},   {2099, 6, 15, 1}};

struct tm LibcTm(const Ymd &d) {
    struct tm t {};
    t.tm_year = d.year - 1900;
    t.tm_mon = d.month - 1;
    t.tm_mday = d.day;
    t.tm_wday = d.wday;
    t.tm_hour = 13;
    t.tm_min = 7;
    return t;
}

KALDER_TM KalderTm(const Ymd &d) {
    KALDER_TM t{};
    t.tm_year = d.year - 1900;
    t.tm_mon = d.month - 1;
    t.tm_mday = d.day;
    t.tm_wday = d.wday;
    return t;
}

// The modern calls run with a settings object made once (the settings in
// force when the benchmarks start), as a caller that keeps one would.
KalderSettings *modernSettings = nullptr;

// --- short date ------------------------------------------------------------

void ShortDate_Kalder(benchmark::State &state) {
    DosDate dates[kRing];
    for (int i = 0; i < kRing; ++i)
        dates[i] =
            DosDate{static_cast<uint16_t>(kDates[i].year), static_cast<uint16_t>(kDates[i].month),
                    0, static_cast<uint16_t>(kDates[i].day)};
    char out[40];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FillDosDateFormatString(&dates[i++ & (kRing - 1)], out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ShortDate_Kalder);

void ShortDate_Modern(benchmark::State &state) {
    char out[40];
    int i = 0;
    for (auto _ : state) {
        const Ymd &d = kDates[i++ & (kRing - 1)];
        benchmark::DoNotOptimize(
            KalderFormatShortDate(modernSettings, d.year, d.month, d.day, out, sizeof out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ShortDate_Modern);

void ShortDate_Snprintf(benchmark::State &state) {
    char out[40];
    int i = 0;
    for (auto _ : state) {
        const Ymd &d = kDates[i++ & (kRing - 1)];
        benchmark::DoNotOptimize(
            std::snprintf(out, sizeof out, "%d/%d/%02d", d.month, d.day, d.year % 100));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ShortDate_Snprintf);

void ShortDate_Strftime(benchmark::State &state) {
    struct tm tms[kRing];
    for (int i = 0; i < kRing; ++i)
        tms[i] = LibcTm(kDates[i]);
    char out[40];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            std::strftime(out, sizeof out, "%m/%d/%y", &tms[i++ & (kRing - 1)]));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ShortDate_Strftime);

// --- long date -------------------------------------------------------------

void LongDate_Kalder(benchmark::State &state) {
    KALDER_TM tms[kRing];
    for (int i = 0; i < kRing; ++i)
        tms[i] = KalderTm(kDates[i]);
    char out[40];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FillLongDateFormatString(tms[i++ & (kRing - 1)], out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(LongDate_Kalder);

void LongDate_Modern(benchmark::State &state) {
    char out[64];
    int i = 0;
    for (auto _ : state) {
        const Ymd &d = kDates[i++ & (kRing - 1)];
        benchmark::DoNotOptimize(
            KalderFormatLongDate(modernSettings, d.year, d.month, d.day, out, sizeof out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(LongDate_Modern);

void LongDate_Strftime(benchmark::State &state) {
    struct tm tms[kRing];
    for (int i = 0; i < kRing; ++i)
        tms[i] = LibcTm(kDates[i]);
    char out[64];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            std::strftime(out, sizeof out, "%A, %B %d, %Y", &tms[i++ & (kRing - 1)]));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(LongDate_Strftime);

// --- time of day -----------------------------------------------------------

void Time_Kalder(benchmark::State &state) {
    char out[24];
    int i = 0;
    for (auto _ : state) {
        const int k = i++ & (kRing - 1);
        benchmark::DoNotOptimize(FillTimeHrMin(k * 3, k * 7, out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Time_Kalder);

void Time_Modern(benchmark::State &state) {
    char out[24];
    int i = 0;
    for (auto _ : state) {
        const int k = i++ & (kRing - 1);
        benchmark::DoNotOptimize(KalderFormatTime(modernSettings, k * 3, k * 7, out, sizeof out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Time_Modern);

void Time_Snprintf(benchmark::State &state) {
    char out[24];
    int i = 0;
    for (auto _ : state) {
        const int k = i++ & (kRing - 1);
        benchmark::DoNotOptimize(std::snprintf(out, sizeof out, "%d:%02d", k * 3, k * 7));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Time_Snprintf);

// A time value broken down and written as hours and minutes.
constexpr KALDER_TIME kTimes[kRing] = {0,          47279,      946741632, 1709650000,
                                       2147483647, 1234567890, 86399,     999999999};

void TimeValue_Kalder(benchmark::State &state) {
    char out[24];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FillTimeFormatString(kTimes[i++ & (kRing - 1)], out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(TimeValue_Kalder);

void TimeValue_Modern(benchmark::State &state) {
    char out[24];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            KalderFormatTimeValue(modernSettings, kTimes[i++ & (kRing - 1)], out, sizeof out));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(TimeValue_Modern);

void TimeValue_GmtimeSnprintf(benchmark::State &state) {
    char out[24];
    int i = 0;
    for (auto _ : state) {
        const time_t t = kTimes[i++ & (kRing - 1)];
        struct tm b;
        gmtime_r(&t, &b);
        benchmark::DoNotOptimize(std::snprintf(out, sizeof out, "%d:%02d", b.tm_hour, b.tm_min));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(TimeValue_GmtimeSnprintf);

// The breakdown alone: the library's UTC hour and minute against gmtime_r.
void Breakdown_Kalder(benchmark::State &state) {
    int i = 0;
    for (auto _ : state) {
        int32_t h, m;
        UtcHourMinute(kTimes[i++ & (kRing - 1)], &h, &m);
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(Breakdown_Kalder);

void Breakdown_GmtimeR(benchmark::State &state) {
    int i = 0;
    for (auto _ : state) {
        const time_t t = kTimes[i++ & (kRing - 1)];
        struct tm b;
        benchmark::DoNotOptimize(gmtime_r(&t, &b));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Breakdown_GmtimeR);

// --- parsing ---------------------------------------------------------------

constexpr const char *kTypedDates[kRing] = {"12/25/1999", "1/1/2000",   "3/5/2024",  "7/14/1987",
                                            "1/19/2038",  "11/30/2011", "2/29/2000", "6/15/2099"};

void ParseDate_Kalder(benchmark::State &state) {
    DosDate d{};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseDosDateFormatString(&d, kTypedDates[i++ & (kRing - 1)]));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ParseDate_Kalder);

void ParseDate_Modern(benchmark::State &state) {
    KalderDate d{};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KalderParseDate(modernSettings, kTypedDates[i++ & (kRing - 1)],
                                                 KALDER_NUL_TERMINATED, &d, nullptr));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ParseDate_Modern);

void ParseDate_Sscanf(benchmark::State &state) {
    int m, d, y;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            std::sscanf(kTypedDates[i++ & (kRing - 1)], "%d/%d/%d", &m, &d, &y));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ParseDate_Sscanf);

void ParseDate_Strptime(benchmark::State &state) {
    struct tm t {};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(strptime(kTypedDates[i++ & (kRing - 1)], "%m/%d/%Y", &t));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ParseDate_Strptime);

constexpr const char *kTypedTimes[kRing] = {"8:30",  "23:59", "0:00",  "12:05",
                                            "24:00", "7:45",  "19:00", "13:07"};

void ParseTime_Kalder(benchmark::State &state) {
    int32_t h, m;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseTimeHrMin(&h, &m, kTypedTimes[i++ & (kRing - 1)]));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ParseTime_Kalder);

void ParseTime_Modern(benchmark::State &state) {
    int32_t h, m;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KalderParseTime(modernSettings, kTypedTimes[i++ & (kRing - 1)],
                                                 KALDER_NUL_TERMINATED, &h, &m, nullptr));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ParseTime_Modern);

void ParseTime_Sscanf(benchmark::State &state) {
    int h, m;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::sscanf(kTypedTimes[i++ & (kRing - 1)], "%d:%d", &h, &m));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ParseTime_Sscanf);

void ParseTime_Strptime(benchmark::State &state) {
    struct tm t {};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(strptime(kTypedTimes[i++ & (kRing - 1)], "%H:%M", &t));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ParseTime_Strptime);

// --- calendar --------------------------------------------------------------

// The year comes from the benchmark's argument; the day varies.
void JulianToDosd_Kalder(benchmark::State &state) {
    const auto year = static_cast<uint16_t>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        DosDate d{year, 0, 0, 0};
        benchmark::DoNotOptimize(JulianToDosd(1 + (i++ & 255), &d));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(JulianToDosd_Kalder)->Arg(1970)->Arg(2100)->Arg(30000);

void DateOfDay_Modern(benchmark::State &state) {
    const auto year = static_cast<int32_t>(state.range(0));
    int i = 0;
    KalderDate d{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(KalderDateOfDay(year, 1 + (i++ & 255), &d));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DateOfDay_Modern)->Arg(1970)->Arg(2100)->Arg(9999);

void DosdToJulian_Kalder(benchmark::State &state) {
    const auto year = static_cast<uint16_t>(state.range(0));
    int i = 0;
    int32_t n;
    for (auto _ : state) {
        const int k = i++;
        const DosDate d{year, static_cast<uint16_t>(1 + (k % 12)), 0,
                        static_cast<uint16_t>(1 + (k & 15))};
        benchmark::DoNotOptimize(DosdToJulian(&d, &n));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DosdToJulian_Kalder)->Arg(1970)->Arg(2100)->Arg(30000);

void DayOfYear_Modern(benchmark::State &state) {
    const auto year = static_cast<int32_t>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        const int k = i++;
        benchmark::DoNotOptimize(KalderDayOfYear(year, 1 + (k % 12), 1 + (k & 15)));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DayOfYear_Modern)->Arg(1970)->Arg(2100)->Arg(9999);

void CalcDateSeconds_Kalder(benchmark::State &state) {
    const auto tmYear = static_cast<int32_t>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        KALDER_TM t{};
        t.tm_year = tmYear;
        t.tm_yday = i++ & 255;
        t.tm_hour = 13;
        benchmark::DoNotOptimize(CalcDateSeconds(&t));
    }
}
// tm_year 70, 200 and 28100 are the years 1970, 2100 and 30000.
BENCHMARK(CalcDateSeconds_Kalder)->Arg(70)->Arg(200)->Arg(28100)->Arg(INT_MAX);

void CalcDateSeconds_Timegm(benchmark::State &state) {
    const auto tmYear = static_cast<int>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        struct tm t {};
        t.tm_year = tmYear;
        t.tm_mday = 1 + (i++ & 15);
        t.tm_hour = 13;
        benchmark::DoNotOptimize(timegm(&t));
    }
}
BENCHMARK(CalcDateSeconds_Timegm)->Arg(70)->Arg(200)->Arg(28100);

} // namespace

int main(int argc, char **argv) {
    host::CaptureMessageBoxes(true);
    if (!host::LoadLibrary()) {
        std::fprintf(stderr, "kalder_bench: the library did not attach\n");
        return 1;
    }
    modernSettings = KalderSettingsInForce();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    KalderSettingsFree(modernSettings);
    host::UnloadLibrary();
    return 0;
}
