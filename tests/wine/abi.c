/*
 * abi.c - the binary interface of KALDER32.dll as an application sees it.
 *
 * Every export is resolved by ordinal and by name (both must give the same
 * address), the classic calls and the modern ones, and nothing else is
 * exported.  On 32-bit Windows each export is
 * then called through a thunk that measures the stack cleanup: a stdcall
 * export must remove exactly its argument bytes, or the caller's stack is
 * corrupted.  Each call gets ordinary arguments and its result is checked
 * loosely, to see that arguments arrive in the right slots.  (64-bit
 * Windows has one calling convention, in which the caller cleans up.)
 *
 *   abi.exe [CALLS [threads]]
 *
 * With CALLS, the program then makes the deterministic pass over every
 * export (tests/calls) and writes it to that file; with "threads" too, it
 * then calls the library on several threads while the settings switch
 * (stress.c).  One process covers all three, since under CPU emulation each
 * process start costs minutes.  (Under qemu's user emulation the emulator
 * itself crashes on Wine's many threads, so there the threads are left
 * out.)
 */
#include "boxes.h"
#include "calls.h"
#include "kalder.h"
#include "modern_diff.h"
#include "stress.h"
#include "winutil.h"
#include "wtest.h"

#include <stdint.h>

typedef struct Tm { /* the run-time library's struct tm: nine 32-bit fields */
    int32_t tm_sec, tm_min, tm_hour, tm_mday, tm_mon, tm_year, tm_wday, tm_yday, tm_isdst;
} Tm;

typedef struct Date {
    uint16_t year, month, dayOfWeek, day;
} Date;

typedef struct Export {
    const char *name;
    int ordinal;
    uint32_t arg_bytes;
} Export;

static const Export exports[] = {
    {"DosdToJulian", 1, 8},
    {"CorrectLeap", 2, 4},
    {"JulianToDosd", 3, 8},
    {"GetWinDateFormat", 4, 0},
    {"FillDosDateFormatString", 5, 8},
    {"FillDateFormatString", 6, 40},
    {"FillTimeFormatString", 7, 8},
    {"FillTimeHrMin", 8, 12},
    {"ParseDosDateFormatString", 9, 8},
    {"ParseDateFormatString", 10, 8},
    {"ParseTimeFormatString", 11, 8},
    {"CalcDateSeconds", 12, 4},
    {"ParseTimeHrMin", 13, 12},
    {"GetTimeSep", 14, 0},
    {"Days_in_Month", 15, 4},
    {"CopyWinDateStruc", 16, 8},
    {"FillLongDateFormatString", 17, 40},
    {"FillTimeFormat3Strings", 18, 16},
    {"Fill3StrTimeHrMin", 19, 20},
    {"checkhrmin", 20, 8},
    {"ParseTimeFormat2Strings", 21, 12},
    {"atoi_NullCheck", 22, 4},
    {"SetTmJulian", 23, 4},
    {"CorrectLeapFromYear", 24, 4},
    /* The modern calls (kalder.h). */
    {"KalderSettingsInForce", 25, 0},
    {"KalderSettingsFromText", 26, 16},
    {"KalderSettingsCopy", 27, 4},
    {"KalderSettingsFree", 28, 4},
    {"KalderSettingsText", 29, 16},
    {"KalderSettingsLanguage", 30, 12},
    {"KalderFormatShortDate", 31, 24},
    {"KalderFormatLongDate", 32, 24},
    {"KalderFormatTime", 33, 20},
    {"KalderFormatTimeValue", 34, 20},
    {"KalderParseDate", 35, 20},
    {"KalderParseTime", 36, 24},
    {"KalderMessage", 37, 20},
    {"KalderDaysInMonth", 38, 8},
    {"KalderDayOfYear", 39, 12},
    {"KalderDateOfDay", 40, 12},
    {"KalderSecondsOf", 41, 12},
    {"KalderDateOfSeconds", 42, 20},
    {"KalderSettingsFromTextW", 43, 16},
    {"KalderSettingsTextW", 44, 16},
    {"KalderFormatShortDateW", 45, 24},
    {"KalderFormatLongDateW", 46, 24},
    {"KalderFormatTimeW", 47, 20},
    {"KalderFormatTimeValueW", 48, 20},
    {"KalderParseDateW", 49, 20},
    {"KalderParseTimeW", 50, 24},
    {"KalderMessageW", 51, 20},
};
#define EXPORT_COUNT ((int)(sizeof exports / sizeof exports[0]))

static FARPROC procs[EXPORT_COUNT + 1]; /* by ordinal */

static void resolve_all(HMODULE dll) {
    WTEST_GROUP("resolve by ordinal and by name");
    for (int i = 0; i < EXPORT_COUNT; i++) {
        const Export *e = &exports[i];
        FARPROC by_ordinal = GetProcAddress(dll, MAKEINTRESOURCEA(e->ordinal));
        FARPROC by_name = GetProcAddress(dll, e->name);
        if (!CHECK(by_ordinal != NULL && by_ordinal == by_name))
            printf("     %s @%d: ordinal %p, name %p\n", e->name, e->ordinal, (void *)by_ordinal,
                   (void *)by_name);
        procs[e->ordinal] = by_ordinal;
    }
    CHECK(GetProcAddress(dll, MAKEINTRESOURCEA(EXPORT_COUNT + 1)) == NULL);
    CHECK(GetProcAddress(dll, MAKEINTRESOURCEA(0)) == NULL);
    CHECK(GetProcAddress(dll, "DllMain") == NULL);
    CHECK(GetProcAddress(dll, "_DosdToJulian@8") == NULL);
    CHECK(GetProcAddress(dll, "DosdToJulian@8") == NULL);
}

#if defined(__i386__)
#include "thunk.h"

/* Calls export `ordinal` with the argument block and checks the cleanup. */
static ThunkResult call_export(int ordinal, const void *args, uint32_t nbytes) {
    ThunkResult r = {0, 0};
    const Export *e = NULL;
    for (int i = 0; i < EXPORT_COUNT; i++)
        if (exports[i].ordinal == ordinal)
            e = &exports[i];
    if (e == NULL || procs[ordinal] == NULL) {
        CHECK(!"export resolved");
        return r;
    }
    CHECK_INT(nbytes, e->arg_bytes); /* the test's own argument block */
    int32_t removed = thunk_call((const void *)procs[ordinal], args, nbytes, &r);
    if (!wtest_record(removed == (int32_t)e->arg_bytes, __FILE__, __LINE__, e->name))
        printf("     %s removed %ld bytes, expected %lu\n", e->name, (long)removed,
               (unsigned long)e->arg_bytes);
    return r;
}

#define ARGS(...) ((uintptr_t[]){__VA_ARGS__})
#define CALL(ordinal, ...)                                                                         \
    call_export(ordinal, ARGS(__VA_ARGS__), (uint32_t)sizeof(ARGS(__VA_ARGS__)))

static Tm christmas_1999(void) {
    Tm tm = {0, 30, 10, 25, 11, 99, 6, 358, 0};
    return tm;
}

static void call_calendar(void) {
    WTEST_GROUP("calendar exports");
    Date d = {1999, 12, 0, 25};
    int32_t day_number = 0;
    CHECK_INT(CALL(1, (uintptr_t)&d, (uintptr_t)&day_number).eax, 359);
    CHECK_INT(day_number, 359);
    Date leap = {2000, 1, 0, 1};
    CHECK_INT(CALL(2, (uintptr_t)&leap).eax, 29);
    Date out = {1999, 0, 0, 0};
    CHECK_INT(CALL(3, (uintptr_t)359, (uintptr_t)&out).eax, 6);
    CHECK_INT(out.month, 12);
    CHECK_INT(out.day, 25);
    Tm tm = christmas_1999();
    CHECK_INT(CALL(12, (uintptr_t)&tm).eax, 946117800); /* 1999-12-25 10:30:00 UTC */
    CHECK_INT(CALL(24, (uintptr_t)1999).eax, 28);
    CHECK_INT(CALL(15, (uintptr_t)2).eax, 28);
    CHECK_INT(CALL(24, (uintptr_t)2000).eax, 29);
    CHECK_INT(CALL(15, (uintptr_t)12).eax, 31);
    tm.tm_yday = 0;
    CHECK_INT(CALL(23, (uintptr_t)&tm).eax, 359);
    CHECK_INT(tm.tm_yday, 358);
}

static void call_settings(void) {
    WTEST_GROUP("settings exports");
    CALL(4);
    char sep = (char)CALL(14).eax;
    unsigned char record[228 + 4];
    memset(record, 0xAB, sizeof record);
    CHECK((uintptr_t)CALL(16, (uintptr_t)record, (uintptr_t)228).eax == (uintptr_t)record);
    CHECK(record[228] == 0xAB);      /* nothing past the length */
    CHECK_INT(sep, (char)record[0]); /* first character of sTime */
}

static void call_formatters(void) {
    WTEST_GROUP("formatting exports");
    char out[64], hour[16], sep[4], minute[16];
    Date d = {1999, 12, 6, 25};
    CHECK((uintptr_t)CALL(5, (uintptr_t)&d, (uintptr_t)out).eax == (uintptr_t)out);
    CHECK(strstr(out, "12") != NULL && strstr(out, "25") != NULL);

    /* struct tm by value: its nine fields, then the output pointer. */
    struct {
        Tm tm;
        char *out;
    } by_value = {christmas_1999(), out};
    memset(out, 0, sizeof out);
    CHECK((uintptr_t)call_export(6, &by_value, sizeof by_value).eax == (uintptr_t)out);
    CHECK(strstr(out, "12") != NULL && strstr(out, "25") != NULL);
    memset(out, 0, sizeof out);
    CHECK((uintptr_t)call_export(17, &by_value, sizeof by_value).eax == (uintptr_t)out);
    CHECK(strstr(out, "1999") != NULL || strstr(out, "99") != NULL);

    CHECK((uintptr_t)CALL(7, (uintptr_t)946117800, (uintptr_t)out).eax == (uintptr_t)out);
    CHECK(strncmp(out, "10", 2) == 0 && strstr(out, "30") != NULL);
    CHECK((uintptr_t)CALL(8, (uintptr_t)9, (uintptr_t)5, (uintptr_t)out).eax == (uintptr_t)out);
    CHECK(strstr(out, "05") != NULL);
    CALL(18, (uintptr_t)946117800, (uintptr_t)hour, (uintptr_t)sep, (uintptr_t)minute);
    CHECK_STR(hour, "10");
    CHECK_STR(minute, "30");
    CALL(19, (uintptr_t)7, (uintptr_t)45, (uintptr_t)hour, (uintptr_t)sep, (uintptr_t)minute);
    CHECK_STR(minute, "45");
}

static void call_parsers(void) {
    WTEST_GROUP("parsing exports");
    Date d = {0, 0, 0, 0};
    CHECK_INT(CALL(9, (uintptr_t)&d, (uintptr_t) "12/25/99").eax, 0);
    CHECK_INT(d.year, 1999);
    CHECK_INT(d.month, 12);
    CHECK_INT(d.day, 25);
    Tm tm;
    memset(&tm, 0, sizeof tm);
    CHECK_INT(CALL(10, (uintptr_t)&tm, (uintptr_t) "12/25/99").eax, 0);
    CHECK_INT(tm.tm_year, 99);
    CHECK_INT(tm.tm_mon, 11);
    CHECK_INT(tm.tm_mday, 25);

    int32_t t = 946117800; /* 1999-12-25 10:30 */
    CHECK_INT(CALL(11, (uintptr_t)&t, (uintptr_t) "08:15").eax, 0);
    CHECK_INT(t, 946109700);
    int32_t h = 0, m = 0;
    CHECK_INT(CALL(13, (uintptr_t)&h, (uintptr_t)&m, (uintptr_t) "08:15").eax, 0);
    CHECK_INT(h, 8);
    CHECK_INT(m, 15);
    CHECK_INT(CALL(20, (uintptr_t)&h, (uintptr_t)&m).eax, 0);
    CHECK_INT(CALL(21, (uintptr_t)&t, (uintptr_t) "23", (uintptr_t) "59").eax, 0);
    CHECK_INT(t, 946166340);
    CHECK_INT(CALL(22, (uintptr_t) " -42x").eax, -42);
    CHECK_INT(CALL(22, (uintptr_t)0).eax, 0);
    CHECK_INT(box_count, 0);
}

/* The modern calls, a 64-bit argument split in two words, low first. */
static void call_modern(void) {
    WTEST_GROUP("modern exports");
    char text[256];
    wchar_t wide[256];
    int32_t why = 1, refused = -1, h = -1, m = -1;
    uintptr_t s =
        CALL(26, (uintptr_t) "sShortDate=M/d/yyyy\nsDate=/\nsTime=:\nsLongDate=dddd, MMMM dd, yyyy",
             (uintptr_t)-1, (uintptr_t)NULL, (uintptr_t)&why)
            .eax;
    REQUIRE_VOID(s != 0 && why == KALDER_OK);
    uintptr_t in_force = CALL(25).eax;
    CHECK(in_force != 0);
    CALL(28, in_force);
    CHECK_INT(CALL(27, s).eax, s);
    CALL(28, s);
    CHECK_INT(CALL(29, s, (uintptr_t) "sDate", (uintptr_t)text, sizeof text).eax, 1);
    CHECK_INT(CALL(30, s, (uintptr_t)text, sizeof text).eax, 2);
    CHECK_INT(CALL(31, s, 1999, 12, 25, (uintptr_t)text, sizeof text).eax, 10);
    CHECK_STR(text, "12/25/1999");
    CHECK_INT(CALL(32, s, 1999, 12, 25, (uintptr_t)text, sizeof text).eax, 27);
    CHECK_STR(text, "Saturday, December 25, 1999");
    CHECK_INT(CALL(33, s, 8, 5, (uintptr_t)text, sizeof text).eax, 4);
    CHECK_INT(CALL(34, s, 0xFFFFFFFFu, 0xFFFFFFFFu, (uintptr_t)text, sizeof text).eax, 5);
    CHECK_STR(text, "23:59");
    KalderDate date = {0, 0, 0, 0};
    CHECK_INT(CALL(35, s, (uintptr_t) "12/25/99", 8, (uintptr_t)&date, (uintptr_t)&refused).eax,
              KALDER_OK);
    CHECK(date.year == 1999 && date.month == 12 && date.day == 25 && date.weekday == 6);
    CHECK_INT(
        CALL(36, s, (uintptr_t) "8:05", 4, (uintptr_t)&h, (uintptr_t)&m, (uintptr_t)&refused).eax,
        KALDER_OK);
    CHECK(h == 8 && m == 5 && refused == 0);
    CHECK((int32_t)CALL(37, s, (uintptr_t)KALDER_BAD_DAY, 30, (uintptr_t)text, sizeof text).eax >
          0);
    CHECK_INT(CALL(38, 2024, 2).eax, 29);
    CHECK_INT(CALL(39, 1999, 12, 25).eax, 359);
    CHECK_INT(CALL(40, 1999, 359, (uintptr_t)&date).eax, KALDER_OK);
    ThunkResult seconds = CALL(41, (uintptr_t)&date, 10, 30);
    CHECK(seconds.eax == 946117800u && seconds.edx == 0);
    /* 10000000000 seconds: 2286-11-20 17:46 */
    CHECK_INT(CALL(42, 0x540BE400u, 2, (uintptr_t)&date, (uintptr_t)&h, (uintptr_t)&m).eax,
              KALDER_OK);
    CHECK(date.year == 2286 && date.month == 11 && date.day == 20 && h == 17 && m == 46);

    uintptr_t w =
        CALL(43, (uintptr_t)L"sShortDate=M/d/yyyy", (uintptr_t)-1, (uintptr_t)NULL, (uintptr_t)&why)
            .eax;
    CHECK(w != 0 && why == KALDER_OK);
    CALL(28, w);
    CHECK_INT(CALL(44, s, (uintptr_t)L"sTime", (uintptr_t)wide, 256).eax, 1);
    CHECK_INT(CALL(45, s, 1999, 12, 25, (uintptr_t)wide, 256).eax, 10);
    CHECK_INT(CALL(46, s, 1999, 12, 25, (uintptr_t)wide, 256).eax, 27);
    CHECK_INT(CALL(47, s, 24, 0, (uintptr_t)wide, 256).eax, 5);
    CHECK_INT(CALL(48, s, 0, 0, (uintptr_t)wide, 256).eax, 4);
    CHECK_INT(CALL(49, s, (uintptr_t)L"12/25/99", 8, (uintptr_t)&date, (uintptr_t)&refused).eax,
              KALDER_OK);
    CHECK_INT(
        CALL(50, s, (uintptr_t)L"7:60", 4, (uintptr_t)&h, (uintptr_t)&m, (uintptr_t)&refused).eax,
        KALDER_BAD_MINUTE);
    CHECK_INT(refused, 60);
    CHECK((int32_t)CALL(51, s, (uintptr_t)KALDER_BAD_MINUTE, 60, (uintptr_t)wide, 256).eax > 0);
    CALL(28, s);
    CHECK_INT(box_count, 0);
}

#endif /* __i386__ */

/* The pass over every export, with each warning box written among the
 * calls; the library is loaded afresh for it. */
static void write_calls(const char *file) {
    WTEST_GROUP("the pass over every export");
    char path[MAX_PATH];
    FILE *out = fopen(file, "wb");
    REQUIRE_VOID(out != NULL);
    box_echo = out;
    CHECK_INT(calls_run(out, join_path(path, exe_dir(), "KALDER32.dll")), 0);
    if (diff_differences() != 0)
        printf("modern calls differ from the classic ones:\n%s", diff_report());
    box_echo = NULL;
    CHECK(fclose(out) == 0);
}

/* The United States settings the checks assume, whatever an earlier run
 * that the emulator cut short left in WIN.INI. */
static void use_us_settings(void) {
    WriteProfileStringA("intl", "sShortDate", "M/d/yy");
    WriteProfileStringA("intl", "sLongDate", "dddd, MMMM dd, yyyy");
    WriteProfileStringA("intl", "sDate", "/");
    WriteProfileStringA("intl", "sTime", ":");
}

int main(int argc, char **argv) {
    char path[MAX_PATH];
    REQUIRE(boxes_install());
    use_us_settings();
    HMODULE dll = LoadLibraryA(join_path(path, exe_dir(), "KALDER32.dll"));
    if (!CHECK(dll != NULL)) {
        printf("     LoadLibraryA(%s) failed, error %lu\n", path, GetLastError());
        return wtest_finish();
    }
    boxes_clear(); /* whatever the settings reader said at attach is not this test's business */
    resolve_all(dll);
#if defined(__i386__)
    call_calendar();
    call_settings();
    call_formatters();
    call_parsers();
    call_modern();
#endif
    CHECK(FreeLibrary(dll));
    if (argc > 1)
        write_calls(argv[1]);
    if (argc > 2 && strcmp(argv[2], "threads") == 0) {
        WTEST_GROUP("threads while the settings switch (stress.c)");
        CHECK_INT(stress_run(), 0);
    }
    return wtest_finish();
}
