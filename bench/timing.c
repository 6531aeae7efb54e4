/*
 * timing.c - nanoseconds per call of each export family, and of the C
 * run-time library's counterparts in the same process: one program for
 * Linux (over libkalder32.so, against glibc) and for 32-bit and 64-bit
 * Windows (over KALDER32.dll, against msvcrt).
 *
 *   kalder_timing [LIBRARY [ROUNDS [CALLS]]]
 *
 * The C library rows are the same calls on every system (sprintf, strftime,
 * sscanf, gmtime, mktime in UTC), so that their columns compare the two
 * libraries.
 * Each row is the best of ROUNDS rounds (default 7) of CALLS calls (default
 * 300,000).  The library is loaded at run time and called through the
 * addresses it exports, as applications do, after the settings are written:
 * short date M/d/yy, long date dddd, MMMM dd, yyyy.  Inputs rotate through
 * eight values so that no call is answered from a predictor's memory of one.
 *
 * Output, one row a line: "kalder|crt <TAB> row <TAB> ns per call".
 */
#define __USE_MINGW_ANSI_STDIO 0 /* msvcrt's own printf and scanf */
#define _GNU_SOURCE

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "kalder.h"
#include "kalder32.h"

#define RING 8

static struct {
    __typeof__(FillDosDateFormatString) *FillDosDateFormatString;
    __typeof__(FillLongDateFormatString) *FillLongDateFormatString;
    __typeof__(FillTimeHrMin) *FillTimeHrMin;
    __typeof__(FillTimeFormatString) *FillTimeFormatString;
    __typeof__(ParseDosDateFormatString) *ParseDosDateFormatString;
    __typeof__(ParseTimeHrMin) *ParseTimeHrMin;
    __typeof__(JulianToDosd) *JulianToDosd;
    __typeof__(DosdToJulian) *DosdToJulian;
    __typeof__(CalcDateSeconds) *CalcDateSeconds;
} api;

/* The modern calls, with a settings object made once after loading. */
static struct {
    KalderSettingsInForceFn KalderSettingsInForce;
    KalderFormatDateFn KalderFormatShortDate, KalderFormatLongDate;
    KalderFormatTimeFn KalderFormatTime;
    KalderFormatTimeValueFn KalderFormatTimeValue;
    KalderParseDateFn KalderParseDate;
    KalderParseTimeFn KalderParseTime;
    KalderDateOfDayFn KalderDateOfDay;
    KalderDayOfYearFn KalderDayOfYear;
} modern;
static KalderSettings *settings;

/* ---- what differs per system: timer, loading, settings ------------------ */

#if defined(_WIN32)
#include <windows.h>

static HMODULE library;
static const char *const default_library = "KALDER32.dll";
static const char *const system_name = sizeof(void *) == 8 ? "win64" : "win32";

static double now_ns(void) {
    static LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return (double)count.QuadPart * 1e9 / (double)frequency.QuadPart;
}

static void write_setting(const char *key, const char *value) {
    WriteProfileStringA("intl", key, value);
}

static int open_library(const char *path) {
    library = LoadLibraryA(path);
    return library != NULL;
}

static void *find_export(const char *name) { return (void *)GetProcAddress(library, name); }

static void settings_done(void) {}

#else
#include <dlfcn.h>
#include <unistd.h>

static void *library;
static const char *const default_library = "libkalder32.so";
static const char *const system_name = "host";
static char settings_path[] = "/tmp/kalder-timing-XXXXXX";
static FILE *settings_file;

static double now_ns(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec * 1e9 + (double)ts.tv_nsec;
}

static void write_setting(const char *key, const char *value) {
    if (settings_file == NULL) {
        int fd = mkstemp(settings_path);
        settings_file = fd < 0 ? NULL : fdopen(fd, "w");
        if (settings_file == NULL)
            return;
        fputs("[intl]\n", settings_file);
        setenv("KALDER_WININI", settings_path, 1);
    }
    fprintf(settings_file, "%s=%s\n", key, value);
}

static int open_library(const char *path) {
    library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    return library != NULL;
}

static void *find_export(const char *name) { return dlsym(library, name); }

/* The library may read the file again at any call, so it goes at exit. */
static void remove_settings_file(void) { unlink(settings_path); }

static void settings_done(void) {
    if (settings_file == NULL)
        return;
    fclose(settings_file);
    atexit(remove_settings_file);
}
#endif

/* ---- inputs --------------------------------------------------------------- */

static const struct {
    int year, month, day, wday;
} dates[RING] = {{1999, 12, 25, 6}, {2000, 1, 1, 6},   {2024, 3, 5, 2}, {1987, 7, 14, 2},
                 {2038, 1, 19, 2},  {2011, 11, 30, 3}, {1970, 1, 1, 4}, {2099, 6, 15, 1}};
static const char *const typed_dates[RING] = {"12/25/99", "1/1/00",   "3/5/24",  "7/14/87",
                                              "1/19/38",  "11/30/11", "2/29/00", "6/15/99"};
static const char *const typed_times[RING] = {"8:30",  "23:59", "0:00",  "12:05",
                                              "24:00", "7:45",  "19:00", "13:07"};
static const KALDER_TIME time_values[RING] = {1709650000, 0,         946684799, 2147483647,
                                              1234567890, 915148800, 86399,     1500000000};

static DosDate dos_dates[RING];
static KALDER_TM tms[RING];
static struct tm crt_tms[RING]; /* the same dates for the C library */

static void make_inputs(void) {
    for (int i = 0; i < RING; i++) {
        dos_dates[i].year = (uint16_t)dates[i].year;
        dos_dates[i].month = (uint16_t)dates[i].month;
        dos_dates[i].day = (uint16_t)dates[i].day;
        memset(&tms[i], 0, sizeof tms[i]);
        tms[i].tm_year = dates[i].year - 1900;
        tms[i].tm_mon = dates[i].month - 1;
        tms[i].tm_mday = dates[i].day;
        tms[i].tm_wday = dates[i].wday;
        tms[i].tm_yday = 30 * i;
        tms[i].tm_hour = 13;
        tms[i].tm_min = 7;
        memset(&crt_tms[i], 0, sizeof crt_tms[i]);
        crt_tms[i].tm_year = tms[i].tm_year;
        crt_tms[i].tm_mon = tms[i].tm_mon;
        crt_tms[i].tm_mday = tms[i].tm_mday;
        crt_tms[i].tm_wday = tms[i].tm_wday;
        crt_tms[i].tm_yday = tms[i].tm_yday;
        crt_tms[i].tm_hour = 13;
        crt_tms[i].tm_min = 7;
    }
}

/* Keeps the compiler from dropping the calls. */
static volatile int sink;
static char out[64];

/* ---- the rows: each makes `n` calls --------------------------------------- */

static void short_date(int n) {
    for (int i = 0; i < n; i++)
        sink = api.FillDosDateFormatString(&dos_dates[i & (RING - 1)], out)[0];
}
static void modern_short_date(int n) {
    for (int i = 0; i < n; i++) {
        const int k = i & (RING - 1);
        sink = modern.KalderFormatShortDate(settings, dates[k].year, dates[k].month, dates[k].day,
                                            out, sizeof out);
    }
}
static void short_date_print(int n) {
    for (int i = 0; i < n; i++) {
        const int k = i & (RING - 1);
        sink = sprintf(out, "%d/%d/%02d", dates[k].month, dates[k].day, dates[k].year % 100);
    }
}
static void short_date_strftime(int n) {
    for (int i = 0; i < n; i++)
        sink = (int)strftime(out, sizeof out, "%m/%d/%y", &crt_tms[i & (RING - 1)]);
}
static void long_date(int n) {
    for (int i = 0; i < n; i++)
        sink = api.FillLongDateFormatString(tms[i & (RING - 1)], out)[0];
}
static void modern_long_date(int n) {
    for (int i = 0; i < n; i++) {
        const int k = i & (RING - 1);
        sink = modern.KalderFormatLongDate(settings, dates[k].year, dates[k].month, dates[k].day,
                                           out, sizeof out);
    }
}
static void long_date_strftime(int n) {
    for (int i = 0; i < n; i++)
        sink = (int)strftime(out, sizeof out, "%A, %B %d, %Y", &crt_tms[i & (RING - 1)]);
}
static void time_hr_min(int n) {
    for (int i = 0; i < n; i++)
        sink = api.FillTimeHrMin(i & 15, (i * 7) & 31, out)[0];
}
static void modern_time(int n) {
    for (int i = 0; i < n; i++)
        sink = modern.KalderFormatTime(settings, i & 15, (i * 7) & 31, out, sizeof out);
}
static void time_hr_min_print(int n) {
    for (int i = 0; i < n; i++)
        sink = sprintf(out, "%d:%02d", i & 15, (i * 7) & 31);
}
static void time_value(int n) {
    for (int i = 0; i < n; i++)
        sink = api.FillTimeFormatString(time_values[i & (RING - 1)], out)[0];
}
static void modern_time_value(int n) {
    for (int i = 0; i < n; i++)
        sink = modern.KalderFormatTimeValue(settings, time_values[i & (RING - 1)], out, sizeof out);
}
static void time_value_crt(int n) {
    for (int i = 0; i < n; i++) {
        const time_t value = time_values[i & (RING - 1)];
        const struct tm *t = gmtime(&value);
        sink = sprintf(out, "%d:%02d", t->tm_hour, t->tm_min);
    }
}
static void parse_date(int n) {
    DosDate d;
    for (int i = 0; i < n; i++)
        sink = api.ParseDosDateFormatString(&d, typed_dates[i & (RING - 1)]);
}
static void modern_parse_date(int n) {
    KalderDate d;
    for (int i = 0; i < n; i++)
        sink = modern.KalderParseDate(settings, typed_dates[i & (RING - 1)], KALDER_NUL_TERMINATED,
                                      &d, NULL);
}
static void parse_date_sscanf(int n) {
    int m, d, y;
    for (int i = 0; i < n; i++)
        sink = sscanf(typed_dates[i & (RING - 1)], "%d/%d/%d", &m, &d, &y);
}
static void parse_time(int n) {
    int32_t h, m;
    for (int i = 0; i < n; i++)
        sink = api.ParseTimeHrMin(&h, &m, typed_times[i & (RING - 1)]);
}
static void modern_parse_time(int n) {
    int32_t h, m;
    for (int i = 0; i < n; i++)
        sink = modern.KalderParseTime(settings, typed_times[i & (RING - 1)], KALDER_NUL_TERMINATED,
                                      &h, &m, NULL);
}
static void parse_time_sscanf(int n) {
    int h, m;
    for (int i = 0; i < n; i++)
        sink = sscanf(typed_times[i & (RING - 1)], "%d:%d", &h, &m);
}
static void julian_to_dosd(int n) {
    DosDate d;
    for (int i = 0; i < n; i++) {
        d.year = 2100;
        sink = api.JulianToDosd(200 + (i & (RING - 1)), &d);
    }
}
static void modern_date_of_day(int n) {
    KalderDate d;
    for (int i = 0; i < n; i++)
        sink = modern.KalderDateOfDay(2100, 200 + (i & (RING - 1)), &d);
}
static void dosd_to_julian(int n) {
    int32_t day;
    for (int i = 0; i < n; i++)
        sink = api.DosdToJulian(&dos_dates[i & (RING - 1)], &day);
}
static void modern_day_of_year(int n) {
    for (int i = 0; i < n; i++) {
        const int k = i & (RING - 1);
        sink = modern.KalderDayOfYear(dates[k].year, dates[k].month, dates[k].day);
    }
}
static void calc_date_seconds(int n) {
    for (int i = 0; i < n; i++)
        sink = api.CalcDateSeconds(&tms[i & (RING - 1)]);
}
static void calc_date_seconds_crt(int n) {
    struct tm t[RING];
    memcpy(t, crt_tms, sizeof t);
    for (int i = 0; i < n; i++)
        sink = (int)mktime(&t[i & (RING - 1)]);
}

static const struct Row {
    const char *side, *name;
    void (*run)(int n);
} rows[] = {
    {"kalder", "FillDosDateFormatString", short_date},
    {"kalder", "KalderFormatShortDate", modern_short_date},
    {"crt", "sprintf %d/%d/%02d", short_date_print},
    {"crt", "strftime %m/%d/%y", short_date_strftime},
    {"kalder", "FillLongDateFormatString", long_date},
    {"kalder", "KalderFormatLongDate", modern_long_date},
    {"crt", "strftime %A, %B %d, %Y", long_date_strftime},
    {"kalder", "FillTimeHrMin", time_hr_min},
    {"kalder", "KalderFormatTime", modern_time},
    {"crt", "sprintf %d:%02d", time_hr_min_print},
    {"kalder", "FillTimeFormatString", time_value},
    {"kalder", "KalderFormatTimeValue", modern_time_value},
    {"crt", "gmtime + sprintf %d:%02d", time_value_crt},
    {"kalder", "ParseDosDateFormatString", parse_date},
    {"kalder", "KalderParseDate", modern_parse_date},
    {"crt", "sscanf %d/%d/%d", parse_date_sscanf},
    {"kalder", "ParseTimeHrMin", parse_time},
    {"kalder", "KalderParseTime", modern_parse_time},
    {"crt", "sscanf %d:%d", parse_time_sscanf},
    {"kalder", "JulianToDosd", julian_to_dosd},
    {"kalder", "KalderDateOfDay", modern_date_of_day},
    {"kalder", "DosdToJulian", dosd_to_julian},
    {"kalder", "KalderDayOfYear", modern_day_of_year},
    {"kalder", "CalcDateSeconds", calc_date_seconds},
    {"crt", "mktime", calc_date_seconds_crt},
};

static int load(const char *path) {
    write_setting("sShortDate", "M/d/yy");
    write_setting("sLongDate", "dddd, MMMM dd, yyyy");
    write_setting("sDate", "/");
    write_setting("sTime", ":");
    settings_done();
    if (!open_library(path))
        return 0;
#define FIND(name) (api.name = (__typeof__(api.name))find_export(#name)) != NULL
#define FIND_MODERN(name) (modern.name = (__typeof__(modern.name))find_export(#name)) != NULL
    return FIND(FillDosDateFormatString) && FIND(FillLongDateFormatString) && FIND(FillTimeHrMin) &&
           FIND(FillTimeFormatString) && FIND(ParseDosDateFormatString) && FIND(ParseTimeHrMin) &&
           FIND(JulianToDosd) && FIND(DosdToJulian) && FIND(CalcDateSeconds) &&
           FIND_MODERN(KalderSettingsInForce) && FIND_MODERN(KalderFormatShortDate) &&
           FIND_MODERN(KalderFormatLongDate) && FIND_MODERN(KalderFormatTime) &&
           FIND_MODERN(KalderFormatTimeValue) && FIND_MODERN(KalderParseDate) &&
           FIND_MODERN(KalderParseTime) && FIND_MODERN(KalderDateOfDay) &&
           FIND_MODERN(KalderDayOfYear) && (settings = modern.KalderSettingsInForce()) != NULL;
#undef FIND
#undef FIND_MODERN
}

int main(int argc, char **argv) {
    const char *path = argc > 1 ? argv[1] : default_library;
    const int rounds = argc > 2 ? atoi(argv[2]) : 7;
    const int calls = argc > 3 ? atoi(argv[3]) : 300000;
    if (rounds < 1 || calls < 1) {
        fprintf(stderr, "usage: kalder_timing [LIBRARY [ROUNDS [CALLS]]]\n");
        return 2;
    }
    if (!load(path)) {
        fprintf(stderr, "kalder_timing: %s did not load or lacks an export\n", path);
        return 1;
    }
    make_inputs();
    putenv((char *)"TZ=UTC0"); /* mktime without a time zone file */
    printf("# %s: best of %d rounds of %d calls, ns per call\n", system_name, rounds, calls);
    for (size_t r = 0; r < sizeof rows / sizeof rows[0]; r++) {
        rows[r].run(calls / 10); /* warm the caches and the predictors */
        double best = 0;
        for (int k = 0; k < rounds; k++) {
            const double start = now_ns();
            rows[r].run(calls);
            const double ns = (now_ns() - start) / calls;
            if (k == 0 || ns < best)
                best = ns;
        }
        printf("%s\t%s\t%.2f\n", rows[r].side, rows[r].name, best);
    }
    fflush(stdout);
    return 0;
}
