/*
 * linux.c - KALDER32 in a Linux program: read a date as the user types it
 * in the short form of the settings, and show it back short and long.
 *
 *   cc linux.c $(pkg-config --cflags --libs kalder32) -o linux
 *   ./linux 12/25/99
 *
 * With the built-in United States settings it prints
 *
 *   Short: 12/25/99
 *   Long:  Saturday, December 25, 1999
 *
 * KALDER_WININI names a WIN.INI-style file whose [intl] section gives other
 * settings, and KALDER_LANGUAGE (en, de, fr, es) the language of the names.
 * A refused date prints the library's warning on standard error.
 */
#include <stdio.h>
#include <string.h>

#include "kalder32.h"

int main(int argc, char **argv) {
    const char *typed = argc > 1 ? argv[1] : "12/25/99";
    DosDate date;
    KALDER_TM tm;
    int32_t dayNumber = 0;
    char shortText[40];
    char longText[40];

    memset(&date, 0, sizeof date);
    if (ParseDosDateFormatString(&date, typed) != 0)
        return 1;

    /* The long form needs the weekday: the day number and back gives it. */
    DosdToJulian(&date, &dayNumber);
    JulianToDosd(dayNumber, &date);
    memset(&tm, 0, sizeof tm);
    tm.tm_year = date.year - 1900;
    tm.tm_mon = date.month - 1;
    tm.tm_mday = date.day;
    tm.tm_wday = date.dayOfWeek;

    printf("Short: %s\n", FillDosDateFormatString(&date, shortText));
    printf("Long:  %s\n", FillLongDateFormatString(tm, longText));
    return 0;
}
