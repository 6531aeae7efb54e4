/*
 * typical.c - the library as an application uses it: a dialog-like window
 * has the focus, the user types a date and a time, the application checks
 * them, shows them back and computes with them.
 */
#include "boxes.h"
#include "winutil.h"
#include "wtest.h"

#include "kalder32.h"

/* The exports, resolved at run time so that the hook is in place before the
 * library attaches. */
#define EXPORT_PTR(name) static __typeof__(name) *p_##name
EXPORT_PTR(ParseDosDateFormatString);
EXPORT_PTR(FillDosDateFormatString);
EXPORT_PTR(DosdToJulian);
EXPORT_PTR(JulianToDosd);
EXPORT_PTR(FillLongDateFormatString);
EXPORT_PTR(GetWinDateFormat);
EXPORT_PTR(ParseTimeFormatString);
EXPORT_PTR(ParseTimeFormat2Strings);
EXPORT_PTR(FillTimeFormatString);

#define RESOLVE(dll, name)                                                                         \
    (p_##name = (__typeof__(name) *)(void *)GetProcAddress(dll, #name)) != NULL

static int resolve(HMODULE dll) {
    return RESOLVE(dll, ParseDosDateFormatString) && RESOLVE(dll, FillDosDateFormatString) &&
           RESOLVE(dll, DosdToJulian) && RESOLVE(dll, JulianToDosd) &&
           RESOLVE(dll, FillLongDateFormatString) && RESOLVE(dll, GetWinDateFormat) &&
           RESOLVE(dll, ParseTimeFormatString) && RESOLVE(dll, ParseTimeFormat2Strings) &&
           RESOLVE(dll, FillTimeFormatString);
}

/* The United States settings the typical request assumes. */
static void use_us_settings(void) {
    WriteProfileStringA("intl", "sShortDate", "M/d/yy");
    WriteProfileStringA("intl", "sLongDate", "dddd, MMMM dd, yyyy");
    WriteProfileStringA("intl", "sDate", "/");
    WriteProfileStringA("intl", "sTime", ":");
    p_GetWinDateFormat();
}

static HWND make_focus_window(void) {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "KalderTypicalWindow";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "typical", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 200, 100, NULL, NULL, wc.hInstance, NULL);
    SetFocus(wnd);
    return wnd;
}

static void typed_date_round_trip(void) {
    WTEST_GROUP("12/25/99 typed, shown, counted");
    DosDate d = {0, 0, 0, 0};
    CHECK_INT(p_ParseDosDateFormatString(&d, "12/25/99"), 0);
    CHECK_INT(d.year, 1999);
    CHECK_INT(d.month, 12);
    CHECK_INT(d.day, 25);
    char out[40];
    CHECK_STR(p_FillDosDateFormatString(&d, out), "12/25/99");
    int32_t day_number = 0;
    CHECK_INT(p_DosdToJulian(&d, &day_number), 359);
    CHECK_INT(day_number, 359);
    DosDate back = {1999, 0, 0, 0};
    CHECK_INT(p_JulianToDosd(359, &back), 6);
    CHECK_INT(back.dayOfWeek, 6);
    CHECK_INT(back.month, 12);
    CHECK_INT(back.day, 25);

    struct tm tm;
    memset(&tm, 0, sizeof tm);
    tm.tm_year = 99;
    tm.tm_mon = 11;
    tm.tm_mday = 25;
    tm.tm_wday = back.dayOfWeek;
    tm.tm_yday = day_number - 1;
    CHECK_STR(p_FillLongDateFormatString(tm, out), "Saturday, December 25, 1999");
    CHECK_INT(box_count, 0);
}

static void bad_day_warns_focus_window(HWND focus) {
    WTEST_GROUP("a bad day: warning 1153 owned by the focus window");
    CHECK(GetFocus() == focus);
    DosDate d = {2001, 2, 3, 4};
    boxes_clear();
    CHECK_INT(p_ParseDosDateFormatString(&d, "12/32/99"), -1);
    CHECK_INT(box_count, 1);
    CHECK_STR(boxes[0].caption, "Date and Time");
    CHECK(strstr(boxes[0].text, "32") != NULL);
    CHECK(boxes[0].owner == focus);
    CHECK(d.year == 2001 && d.month == 2 && d.dayOfWeek == 3 && d.day == 4);

    boxes_clear();
    CHECK_INT(p_ParseDosDateFormatString(&d, "2/29/99"), -1); /* 1999 is no leap year */
    CHECK_INT(box_count, 1);
    CHECK(strstr(boxes[0].text, "29") != NULL);
    CHECK_INT(p_ParseDosDateFormatString(&d, "2/29/00"), 0);
    CHECK(d.year == 2000 && d.month == 2 && d.day == 29);
}

#define MIDNIGHT_2000_01_01 946684800
#define DAY 86400

static void typed_times(HWND focus) {
    WTEST_GROUP("typed times against a time value with a date");
    KALDER_TIME t = 946741632; /* 2000-01-01 15:47:12 */
    boxes_clear();
    CHECK_INT(p_ParseTimeFormatString(&t, "8:30"), 0);
    CHECK_INT(t, MIDNIGHT_2000_01_01 + 8 * 3600 + 30 * 60);
    char out[24];
    CHECK_STR(p_FillTimeFormatString(t, out), "8:30"); /* the hour has no leading zero */
    CHECK_INT(p_ParseTimeFormatString(&t, "24:00"), 0);
    CHECK_INT(t, MIDNIGHT_2000_01_01 + DAY); /* the midnight that ends the day */
    t = 946741632;
    CHECK_INT(p_ParseTimeFormat2Strings(&t, "24", "0"), 0);
    CHECK_INT(t, MIDNIGHT_2000_01_01 + DAY);
    t = 946741632;
    CHECK_INT(p_ParseTimeFormat2Strings(&t, "8:30", NULL), 0);
    CHECK_INT(t, MIDNIGHT_2000_01_01 + 8 * 3600);
    CHECK_INT(box_count, 0);

    WTEST_GROUP("refused times");
    t = 946741632;
    CHECK_INT(p_ParseTimeFormatString(&t, "24:01"), -1);
    CHECK_INT(t, 946741632);
    CHECK_INT(box_count, 1);
    CHECK(boxes[0].owner == focus);
    boxes_clear();
    CHECK_INT(p_ParseTimeFormat2Strings(&t, "10", "60"), -1);
    CHECK_INT(t, 946741632);
    CHECK_INT(box_count, 1);
    CHECK(strstr(boxes[0].text, "60") != NULL);

    /* The last day a 32-bit time value reaches: 24:00 would not fit, so
     * the call is refused without a box and the value is kept. */
    boxes_clear();
    const KALDER_TIME last_day = 2147483647 - 2147483647 % DAY;
    t = last_day + 60;
    CHECK_INT(p_ParseTimeFormatString(&t, "24:00"), -1);
    CHECK_INT(t, last_day + 60);
    CHECK_INT(p_ParseTimeFormat2Strings(&t, "23", "59"), -1);
    CHECK_INT(t, last_day + 60);
    CHECK_INT(box_count, 0);
    CHECK_INT(p_ParseTimeFormatString(&t, "1:00"), 0);
    CHECK_INT(t, last_day + 3600);
}

int main(void) {
    char path[MAX_PATH];
    REQUIRE(boxes_install());
    HMODULE dll = LoadLibraryA(join_path(path, exe_dir(), "KALDER32.dll"));
    REQUIRE(dll != NULL);
    REQUIRE(resolve(dll));
    use_us_settings();
    HWND focus = make_focus_window();
    boxes_clear();
    typed_date_round_trip();
    bad_day_warns_focus_window(focus);
    typed_times(focus);
    DestroyWindow(focus);
    CHECK(FreeLibrary(dll));
    return wtest_finish();
}
