/*
 * typical.c - reading a date the user typed and showing it back, with
 * KALDER32 and nothing but its header and import library.
 *
 * A dialog would take the text from an edit control; here it is fixed.
 * Every result follows the user's international settings: with the usual
 * United States settings the program prints
 *
 *   Typed:      12/25/99
 *   Read:       1999-12-25
 *   Short form: 12/25/99
 *   Day number: 359
 *   Weekday:    6
 *   Long form:  Saturday, December 25, 1999
 */
#include <stdio.h>
#include <string.h>

#include "kalder32.h"

int main(void) {
    const char *typed = "12/25/99";
    DosDate date;
    KALDER_TM tm;
    int32_t dayNumber = 0;
    char shortText[40];
    char longText[40];

    /* A refused date has already been explained to the user in a warning
     * box; the application only has to keep the dialog open. */
    memset(&date, 0, sizeof date);
    if (ParseDosDateFormatString(&date, typed) != 0) {
        fprintf(stderr, "typical: \"%s\" was refused\n", typed);
        return 1;
    }
    printf("Typed:      %s\n", typed);
    printf("Read:       %04u-%02u-%02u\n", (unsigned)date.year, (unsigned)date.month,
           (unsigned)date.day);

    FillDosDateFormatString(&date, shortText);
    printf("Short form: %s\n", shortText);

    /* The day number within the year, and back again for the weekday. */
    DosdToJulian(&date, &dayNumber);
    JulianToDosd(dayNumber, &date);
    printf("Day number: %d\n", (int)dayNumber);
    printf("Weekday:    %u\n", (unsigned)date.dayOfWeek);

    /* The long form takes a struct tm: the date, its weekday and day of year. */
    memset(&tm, 0, sizeof tm);
    tm.tm_year = date.year - 1900;
    tm.tm_mon = date.month - 1;
    tm.tm_mday = date.day;
    tm.tm_wday = date.dayOfWeek;
    SetTmJulian(&tm);
    FillLongDateFormatString(tm, longText);
    printf("Long form:  %s\n", longText);
    return 0;
}
