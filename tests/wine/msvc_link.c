/*
 * msvc_link.c - a program built the way Microsoft's tools build one: clang
 * in MSVC mode, linked by lld-link against the kit's KALDER32.lib and
 * nothing else (no C library, no system import libraries).
 *
 * It calls exports of each family, arguments of every kind included (a
 * struct tm by value), and returns 0 when every result is right, else the
 * number of the first wrong check: with no C library there is no output,
 * only the exit code.  It expects the United States settings, which the
 * pass over every export (abi.exe) leaves in the profile.
 */
#include "kalder32.h"

static int same(const char *a, const char *b) {
    while (*a != '\0' && *a == *b) {
        a++;
        b++;
    }
    return *a == *b;
}

int __stdcall entry(void *peb) {
    (void)peb;
    char out[40];
    DosDate d = {0, 0, 0, 0};
    struct tm tm = {0, 30, 10, 25, 11, 99, 6, 358, 0};
    int32_t day_number = 0, hour = 0, minute = 0;

    if (ParseDosDateFormatString(&d, "12/25/99") != 0 || d.year != 1999 || d.day != 25)
        return 1;
    if (DosdToJulian(&d, &day_number) != 359 || day_number != 359)
        return 2;
    if (!same(FillLongDateFormatString(tm, out), "Saturday, December 25, 1999"))
        return 3;
    if (CalcDateSeconds(&tm) != 946117800)
        return 4;
    if (ParseTimeHrMin(&hour, &minute, "08:15") != 0 || hour != 8 || minute != 15)
        return 5;
    if (!same(Fill3StrTimeHrMin(7, 45, out, out + 10, out + 20), "45"))
        return 6;
    if (Days_in_Month(12) != 31 || CorrectLeapFromYear(2000) != 29)
        return 7;
    if (atoi_NullCheck(" -42x") != -42)
        return 8;
    return 0;
}
