/* The one thing the library's header needs from the C library's <time.h>
 * on Windows, for building without the Windows SDK: the run-time library's
 * struct tm, nine ints. */
#ifndef KALDER_TEST_TIME_H
#define KALDER_TEST_TIME_H
struct tm {
    int tm_sec, tm_min, tm_hour, tm_mday, tm_mon, tm_year, tm_wday, tm_yday, tm_isdst;
};
#endif
