/*
 * stress.c - the library on several Windows threads at once.
 *
 * Six threads call every export family with fixed inputs while the main
 * thread switches WIN.INI between a United States and a German profile,
 * each twice in a row (A, A, B, B), and has the library read it again after
 * each switch: settings kept in two blocks taken in turn then have each
 * block rewritten with the other profile, under whoever still reads it.
 * Every result must be what one of the two profiles gives, whole, and every
 * warning box a thread saw a whole text that a probe shows.  The same
 * source builds for 32-bit and 64-bit Windows; abi.exe runs it (stress.h),
 * so that it costs no process start of its own under emulation.
 */
#include "stress.h"
#include "winutil.h"
#include "wtest.h"

#include "kalder32.h"

#define EXPORT_PTR(name) static __typeof__(name) *p_##name
EXPORT_PTR(GetWinDateFormat);
EXPORT_PTR(GetTimeSep);
EXPORT_PTR(CopyWinDateStruc);
EXPORT_PTR(FillDosDateFormatString);
EXPORT_PTR(FillDateFormatString);
EXPORT_PTR(FillLongDateFormatString);
EXPORT_PTR(FillTimeHrMin);
EXPORT_PTR(Fill3StrTimeHrMin);
EXPORT_PTR(FillTimeFormatString);
EXPORT_PTR(FillTimeFormat3Strings);
EXPORT_PTR(ParseDosDateFormatString);
EXPORT_PTR(ParseDateFormatString);
EXPORT_PTR(ParseTimeHrMin);
EXPORT_PTR(ParseTimeFormatString);
EXPORT_PTR(ParseTimeFormat2Strings);
EXPORT_PTR(checkhrmin);
EXPORT_PTR(DosdToJulian);
EXPORT_PTR(JulianToDosd);
EXPORT_PTR(SetTmJulian);
EXPORT_PTR(CalcDateSeconds);
EXPORT_PTR(CorrectLeapFromYear);
EXPORT_PTR(Days_in_Month);
EXPORT_PTR(atoi_NullCheck);

#define RESOLVE(name) ((p_##name = (__typeof__(name) *)(void *)GetProcAddress(dll, #name)) != NULL)

static int resolve(HMODULE dll) {
    return RESOLVE(GetWinDateFormat) && RESOLVE(GetTimeSep) && RESOLVE(CopyWinDateStruc) &&
           RESOLVE(FillDosDateFormatString) && RESOLVE(FillDateFormatString) &&
           RESOLVE(FillLongDateFormatString) && RESOLVE(FillTimeHrMin) &&
           RESOLVE(Fill3StrTimeHrMin) && RESOLVE(FillTimeFormatString) &&
           RESOLVE(FillTimeFormat3Strings) && RESOLVE(ParseDosDateFormatString) &&
           RESOLVE(ParseDateFormatString) && RESOLVE(ParseTimeHrMin) &&
           RESOLVE(ParseTimeFormatString) && RESOLVE(ParseTimeFormat2Strings) &&
           RESOLVE(checkhrmin) && RESOLVE(DosdToJulian) && RESOLVE(JulianToDosd) &&
           RESOLVE(SetTmJulian) && RESOLVE(CalcDateSeconds) && RESOLVE(CorrectLeapFromYear) &&
           RESOLVE(Days_in_Month) && RESOLVE(atoi_NullCheck);
}

/* --- the profiles ------------------------------------------------------ */

typedef struct Profile {
    const char *date, *time, *short_picture, *long_picture;
} Profile;

static const Profile united_states = {"/", ":", "M/d/yy", "dddd, MMMM dd, yyyy"};
static const Profile german = {".", ".", "dd.MM.yyyy", "dddd, d. MMMM yyyy"};

static void use_profile(const Profile *p) {
    WriteProfileStringA("intl", "sDate", p->date);
    WriteProfileStringA("intl", "sTime", p->time);
    WriteProfileStringA("intl", "sShortDate", p->short_picture);
    WriteProfileStringA("intl", "sLongDate", p->long_picture);
    p_GetWinDateFormat();
}

/* --- the warning boxes of each thread ------------------------------------ */

/* Each box closes by itself.  Under Wine a thread's hook also sees other
 * threads' boxes become active (and its own more than once), so the boxes
 * cannot be told apart by thread, and any number of them can come during
 * one probe.  Each box is checked as it comes: while the single-thread
 * results are taken its text is learnt, later it must be a learnt text
 * (or empty: another thread's box read before its text is set). */
static volatile LONG learning;
/* ";text;text;...;": every box text the probes show under either profile. */
static char known_boxes[4096] = ";";
static int known_boxes_full;
static _Thread_local int unknown_boxes;
static _Thread_local char unknown_box[256];
static _Thread_local HHOOK box_hook;
/* A box becomes active again each time another thread's box takes the
 * activation and gives it back: each box window is taken once. */
static _Thread_local HWND seen_windows[8];
static _Thread_local int seen_count;

static void forget_boxes(void) {
    unknown_boxes = 0;
    seen_count = 0;
}

static void check_box(const char *text) {
    char pattern[sizeof unknown_box + 2];
    snprintf(pattern, sizeof pattern, ";%s;", text);
    if (text[0] == '\0' || strstr(known_boxes, pattern) != NULL)
        return;
    if (!InterlockedCompareExchange(&learning, 0, 0)) {
        if (unknown_boxes++ == 0)
            snprintf(unknown_box, sizeof unknown_box, "%s", text);
        return;
    }
    size_t used = strlen(known_boxes);
    if (used + strlen(pattern) - 1 < sizeof known_boxes)
        strcpy(known_boxes + used, pattern + 1);
    else
        known_boxes_full = 1;
}

static int seen_before(HWND wnd) {
    for (int i = 0; i < seen_count; i++)
        if (seen_windows[i] == wnd)
            return 1;
    if (seen_count < (int)(sizeof seen_windows / sizeof seen_windows[0]))
        seen_windows[seen_count++] = wnd;
    return 0;
}

static LRESULT CALLBACK box_proc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        HWND wnd = (HWND)wparam;
        char cls[64] = "", text[sizeof unknown_box] = "";
        GetClassNameA(wnd, cls, sizeof cls);
        if (strcmp(cls, "#32770") == 0 && !seen_before(wnd)) {
            GetDlgItemTextA(wnd, 0xFFFF, text, sizeof text);
            check_box(text);
            PostMessageA(wnd, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(box_hook, code, wparam, lparam);
}

static int watch_boxes(void) {
    box_hook = SetWindowsHookExA(WH_CBT, box_proc, NULL, GetCurrentThreadId());
    return box_hook != NULL;
}

/* --- one call of each export family -------------------------------------- */

/* A probe writes its result into out (at most RESULT bytes, its parts are
 * bounded) and returns the length. */
#define RESULT 320
typedef int (*Probe)(char *out);

static int outcome(char *out, int32_t result, const char *stored) {
    return snprintf(out, RESULT, "%ld %s", (long)result, stored);
}

static int short_date(char *out) {
    DosDate d = {2013, 6, 0, 14};
    char text[40];
    return snprintf(out, RESULT, "%s", p_FillDosDateFormatString(&d, text));
}
static int short_tm(char *out) {
    char text[40];
    return snprintf(out, RESULT, "%s", p_FillDateFormatString(tm_of(1990, 6, 11, 3), text));
}
static int long_date(char *out) {
    char text[40];
    return snprintf(out, RESULT, "%s", p_FillLongDateFormatString(tm_of(1999, 7, 20, 5), text));
}
static int time_text(char *out) {
    char a[24], h[24], s[24], m[24];
    p_FillTimeHrMin(13, 5, a);
    p_Fill3StrTimeHrMin(9, 7, h, s, m);
    return snprintf(out, RESULT, "%s %s|%s|%s", a, h, s, m);
}
static int time_value(char *out) {
    char a[24], h[24], s[24], m[24];
    p_FillTimeFormatString(946741632, a);
    p_FillTimeFormat3Strings(946741632, h, s, m);
    return snprintf(out, RESULT, "%s %s|%s|%s", a, h, s, m);
}
static int parse_date(char *out) {
    DosDate d = {1, 1, 1, 1};
    char stored[64];
    int32_t r = p_ParseDosDateFormatString(&d, "12/25/99");
    snprintf(stored, sizeof stored, "%u-%u-%u", d.year, d.month, d.day);
    return outcome(out, r, stored);
}
static int parse_tm(char *out) {
    struct tm tm = tm_of(1901, 1, 1, 1);
    char stored[64];
    int32_t r = p_ParseDateFormatString(&tm, "25.12.1999");
    snprintf(stored, sizeof stored, "%d-%d-%d", tm.tm_year, tm.tm_mon, tm.tm_mday);
    return outcome(out, r, stored);
}
static int parse_time(char *out) {
    int32_t h = -1, m = -1;
    char stored[64];
    int32_t r = p_ParseTimeHrMin(&h, &m, "10.30");
    snprintf(stored, sizeof stored, "%ld:%ld", (long)h, (long)m);
    return outcome(out, r, stored);
}
static int parse_time_value(char *out) {
    KALDER_TIME t = 946741632, u = 946741632;
    int32_t h = 24, m = 5;
    char stored[96];
    int32_t r1 = p_ParseTimeFormatString(&t, "25:00");
    int32_t r2 = p_ParseTimeFormat2Strings(&u, "7", "45");
    int32_t r3 = p_checkhrmin(&h, &m);
    snprintf(stored, sizeof stored, "%ld %ld %ld %ld %ld %ld:%ld", (long)r1, (long)t, (long)r2,
             (long)u, (long)r3, (long)h, (long)m);
    return outcome(out, r1, stored);
}
static int record(char *out) {
    out[0] = p_GetTimeSep();
    p_CopyWinDateStruc(out + 1, KALDER_WINDATESTRUC_SIZE);
    return 1 + KALDER_WINDATESTRUC_SIZE;
}
static int calendar(char *out) {
    DosDate d = {2024, 3, 0, 1}, back = {2024, 0, 0, 0};
    int32_t n = 0;
    struct tm tm = tm_of(2000, 2, 1, 0);
    int32_t r = p_DosdToJulian(&d, &n);
    int32_t w = p_JulianToDosd(n, &back);
    int32_t y = p_SetTmJulian(&tm);
    tm.tm_hour = 12;
    return snprintf(out, RESULT, "%ld %ld %u-%u-%u/%u %ld %ld %ld %ld %ld", (long)r, (long)w,
                    back.year, back.month, back.day, back.dayOfWeek, (long)y,
                    (long)p_CalcDateSeconds(&tm), (long)p_CorrectLeapFromYear(1900),
                    (long)p_Days_in_Month(4), (long)p_atoi_NullCheck(" 42x"));
}

static const Probe probes[] = {short_date,       short_tm,   long_date, time_text,
                               time_value,       parse_date, parse_tm,  parse_time,
                               parse_time_value, record,     calendar};
#define PROBES ((int)(sizeof probes / sizeof probes[0]))

typedef struct Want {
    char text[RESULT];
    int length;
} Want;

static Want want_us[PROBES], want_de[PROBES];

static void take_all(Want *want) {
    for (int p = 0; p < PROBES; p++) {
        forget_boxes();
        want[p].length = probes[p](want[p].text);
    }
}

static int same(const Want *want, const char *got, int length) {
    return want->length == length && memcmp(want->text, got, (size_t)length) == 0;
}

/* --- the threads ----------------------------------------------------------- */

#define READERS 6
#define REFRESHES 100

static volatile LONG stop;

typedef struct Reader {
    int index;
    volatile LONG calls;
    long wrong;
    int watching;
    char first_wrong[RESULT + sizeof unknown_box + 32];
} Reader;

static DWORD WINAPI reader_main(LPVOID arg) {
    Reader *reader = (Reader *)arg;
    reader->watching = watch_boxes();
    char got[RESULT];
    for (int i = reader->index; !InterlockedCompareExchange(&stop, 0, 0); i++) {
        int p = i % PROBES;
        forget_boxes();
        int length = probes[p](got);
        if (length < 0 || length >= RESULT ||
            (!same(&want_us[p], got, length) && !same(&want_de[p], got, length)) ||
            unknown_boxes != 0) {
            if (reader->wrong++ == 0)
                snprintf(reader->first_wrong, sizeof reader->first_wrong,
                         "probe %d: %.*s; unknown box \"%s\"", p, length < 0 ? 0 : length, got,
                         unknown_boxes != 0 ? unknown_box : "");
        }
        InterlockedIncrement(&reader->calls);
    }
    UnhookWindowsHookEx(box_hook);
    return 0;
}

static long all_calls(Reader *readers) {
    long calls = 0;
    for (int t = 0; t < READERS; t++)
        calls += InterlockedCompareExchange(&readers[t].calls, 0, 0);
    return calls;
}

int stress_run(void) {
    char path[MAX_PATH];
    HMODULE dll = LoadLibraryA(join_path(path, exe_dir(), "KALDER32.dll"));
    REQUIRE(dll != NULL);
    REQUIRE(resolve(dll));
    REQUIRE(watch_boxes());

    WTEST_GROUP("both profiles, one thread");
    /* The record keeps what a shorter value leaves of a longer one after its
     * NUL: take the profiles in the order the switching takes them. */
    use_profile(&united_states);
    use_profile(&german);
    InterlockedExchange(&learning, 1);
    use_profile(&united_states);
    take_all(want_us);
    use_profile(&german);
    take_all(want_de);
    InterlockedExchange(&learning, 0);
    for (int p = 0; p < PROBES; p++)
        CHECK(want_us[p].length < RESULT && want_de[p].length < RESULT);
    CHECK(strlen(known_boxes) > 1);
    CHECK(!known_boxes_full);
    CHECK(strcmp(want_us[0].text, want_de[0].text) != 0);
    CHECK(strcmp(want_us[2].text, want_de[2].text) != 0);
    CHECK(strcmp(want_us[5].text, want_de[5].text) != 0);

    WTEST_GROUP("six threads while the settings switch");
    Reader readers[READERS];
    HANDLE threads[READERS];
    memset(readers, 0, sizeof readers);
    for (int t = 0; t < READERS; t++) {
        readers[t].index = t;
        threads[t] = CreateThread(NULL, 0, reader_main, &readers[t], 0, NULL);
        REQUIRE(threads[t] != NULL);
    }
    /* After each refresh the readers make a round of calls (or two seconds
     * pass), so that on a busy machine too calls run across every rewrite. */
    for (int n = 0; n < REFRESHES; n++) {
        long round = all_calls(readers) + READERS;
        use_profile(n % 4 < 2 ? &united_states : &german);
        for (DWORD start = GetTickCount();
             all_calls(readers) < round && GetTickCount() - start < 2000;)
            Sleep(1);
    }
    InterlockedExchange(&stop, 1);
    WaitForMultipleObjects(READERS, threads, TRUE, INFINITE);
    long calls = all_calls(readers);
    for (int t = 0; t < READERS; t++) {
        CloseHandle(threads[t]);
        CHECK(readers[t].watching);
        CHECK_INT(readers[t].wrong, 0);
        if (readers[t].wrong != 0)
            printf("     %s\n", readers[t].first_wrong);
    }
    printf("%ld calls, %d refreshes\n", calls, REFRESHES);
    CHECK(calls > READERS);

    use_profile(&united_states);
    UnhookWindowsHookEx(box_hook);
    FreeLibrary(dll);
    return wtest_finish();
}
