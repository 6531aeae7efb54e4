/* The public header as code bases built with C89 or C++98 compilers see it
 * (the test compiles this file in both languages). Defining
 * KALDER_BREAK_LAYOUT adds a layout check that does not hold, which the
 * compiler must refuse by the check's name: the checks still work there. */
#include "kalder32.h"

#ifdef KALDER_BREAK_LAYOUT
KALDER_LAYOUT_CHECK(broken_on_purpose, sizeof(DosDate) == 9);
#endif

int main(void) {
    DosDate date;
    char text[40];
    date.year = 1999;
    date.month = 12;
    date.dayOfWeek = 6;
    date.day = 25;
    return FillDosDateFormatString(&date, text) == text ? 0 : 1;
}
