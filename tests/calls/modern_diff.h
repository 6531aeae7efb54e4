/*
 * modern_diff.h - the modern calls (kalder.h) held to the classic ones over
 * the pass.
 *
 * Wherever a classic call's result is the true text of its date or time,
 * the modern call with the settings in force must give the same bytes (the
 * names in UTF-8); wherever a classic parser accepts or refuses a text, the
 * modern one must do the same with the same date or time.  Nothing is
 * written to the pass's output: each difference goes to standard error and
 * is counted, so the output of the classic calls stays as it is.
 */
#ifndef MODERN_DIFF_H
#define MODERN_DIFF_H

#include <stdint.h>

#include "kalder32.h"

/* Finds the modern calls; 0 when the library lacks any of them. */
int diff_open(void *(*symbol)(const char *name));
/* The settings a profile put in force, as CopyWinDateStruc gives them. */
void diff_profile(const WINDATESTRUC *record);

void diff_short_date(unsigned year, unsigned month, unsigned day, const char *classic);
void diff_long_date(const KALDER_TM *date, const char *classic);
void diff_time(int32_t hour, int32_t minute, const char *classic);
void diff_time_value(int32_t t, const char *classic);
void diff_parse_date(const char *text, int32_t result, const DosDate *classic);
void diff_parse_time(const char *text, int32_t result, int32_t hour, int32_t minute);
void diff_day_of_year(const DosDate *date, int32_t classic);
void diff_date_of_day(int32_t day, uint16_t year, const DosDate *classic);
void diff_days_in_month(int32_t year, int32_t month, int32_t classic);

/* The number of modern calls compared and of differences found. */
long diff_compared(void);
long diff_differences(void);
/* The first differences, one a line ("" when there are none). */
const char *diff_report(void);

#endif /* MODERN_DIFF_H */
