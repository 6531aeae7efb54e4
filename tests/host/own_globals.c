/*
 * own_globals.c - a program whose own globals bear the names the library
 * uses inside: the library, shared or static, must keep using its own.
 */
#include <stdio.h>
#include <string.h>

#include "kalder32.h"

int MonthDays[13];
const char *DayNames[7];
char WinDateStruc[228];
int DllMain(void) { return 0; }

int main(void) {
    KALDER_TM tm;
    char out[40];
    memset(&tm, 0, sizeof tm);
    tm.tm_year = 99;
    tm.tm_mon = 11;
    tm.tm_mday = 25;
    tm.tm_wday = 6;
    int days = Days_in_Month(1);
    const char *text = FillLongDateFormatString(tm, out);
    printf("Days_in_Month(1) = %d, long date \"%s\"\n", days, text);
    return days == 31 && strcmp(text, "Saturday, December 25, 1999") == 0 ? 0 : 1;
}
