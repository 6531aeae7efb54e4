/*
 * modern_diff.c - the modern calls held to the classic ones (modern_diff.h).
 */
#include "modern_diff.h"

#include <stdio.h>
#include <string.h>

#include "kalder.h"

static struct {
    KalderFormatDateFn shortDate, longDate;
    KalderFormatTimeFn time;
    KalderFormatTimeValueFn timeValue;
    KalderParseDateFn parseDate;
    KalderParseTimeFn parseTime;
    KalderDayOfYearFn dayOfYear;
    KalderDateOfDayFn dateOfDay;
    KalderDaysInMonthFn daysInMonth;
} m;

static int opened;
static WINDATESTRUC record;
static long compared, differences;
static char report[4096];

const char *diff_report(void) { return report; }
long diff_compared(void) { return compared; }
long diff_differences(void) { return differences; }

int diff_open(void *(*symbol)(const char *name)) {
#define FIND(field, name) (*(void **)&m.field = symbol(name)) != NULL
    opened = FIND(shortDate, "KalderFormatShortDate") && FIND(longDate, "KalderFormatLongDate") &&
             FIND(time, "KalderFormatTime") && FIND(timeValue, "KalderFormatTimeValue") &&
             FIND(parseDate, "KalderParseDate") && FIND(parseTime, "KalderParseTime") &&
             FIND(dayOfYear, "KalderDayOfYear") && FIND(dateOfDay, "KalderDateOfDay") &&
             FIND(daysInMonth, "KalderDaysInMonth");
#undef FIND
    return opened;
}

void diff_profile(const WINDATESTRUC *settings) { record = *settings; }

/* Counts one comparison; keeps the first differences for the report. */
static void compare(int same, const char *call, const char *classic, const char *modern) {
    size_t used = strlen(report);
    compared++;
    if (same)
        return;
    differences++;
    if (used + 200 < sizeof report)
        snprintf(report + used, sizeof report - used, "%s: classic \"%.60s\" modern \"%.60s\"\n",
                 call, classic, modern);
}

/* The classic text, of the system code page, in UTF-8 (the names and
 * literals of the pass are Latin-1). */
static void to_utf8(const char *text, char *utf8, size_t size) {
    size_t at = 0;
    for (; *text != '\0' && at + 3 < size; text++) {
        unsigned char c = (unsigned char)*text;
        if (c < 0x80) {
            utf8[at++] = (char)c;
        } else {
            utf8[at++] = (char)(0xC0 | c >> 6);
            utf8[at++] = (char)(0x80 | (c & 0x3F));
        }
    }
    utf8[at] = '\0';
}

static int is_real(int32_t year, int32_t month, int32_t day) {
    return m.dayOfYear(year, month, day) > 0;
}

/* The true weekday, by Zeller's congruence (0 = Sunday). */
static int weekday(int32_t year, int32_t month, int32_t day) {
    static const int shift[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + shift[month - 1] + day) % 7;
}

/* The separator the classic time shows is the modern one when it is a
 * whole character of its own. */
static int time_separator_is_whole(void) {
    unsigned char c = (unsigned char)record.sTime[0];
    return c != 0 && c < 0x80;
}

void diff_short_date(unsigned year, unsigned month, unsigned day, const char *classic) {
    char text[64];
    int y = (int)year;
    if (!opened || !is_real(y, (int32_t)month, (int32_t)day))
        return;
    if (!record.bFullYear && (y < 1900 || y > 2099))
        return; /* the classic year is not reduced to two digits there */
    m.shortDate(NULL, y, (int32_t)month, (int32_t)day, text, sizeof text);
    compare(strcmp(text, classic) == 0, "KalderFormatShortDate", classic, text);
}

void diff_long_date(const KALDER_TM *date, const char *classic) {
    char text[256], utf8[256];
    int32_t year = date->tm_year + 1900;
    if (!opened || date->tm_year > 9999 || !is_real(year, date->tm_mon + 1, date->tm_mday))
        return;
    if (date->tm_wday != weekday(year, date->tm_mon + 1, date->tm_mday))
        return; /* the classic call names the weekday it is given */
    if (!record.bLongFullYear && (year < 1910 || year > 1999))
        return; /* the classic year is tm_year itself, with no leading zero */
    if (record.iMonthStyle < 0 || record.iMonthStyle > 3 || strlen(classic) >= 39)
        return; /* no month, or a text the classic call may have cut */
    m.longDate(NULL, year, date->tm_mon + 1, date->tm_mday, text, sizeof text);
    to_utf8(classic, utf8, sizeof utf8);
    compare(strcmp(text, utf8) == 0, "KalderFormatLongDate", utf8, text);
}

void diff_time(int32_t hour, int32_t minute, const char *classic) {
    char text[64];
    int real =
        hour >= 0 && minute >= 0 && minute <= 59 && (hour < 24 || (hour == 24 && minute == 0));
    if (!opened || !real || !time_separator_is_whole())
        return;
    m.time(NULL, hour, minute, text, sizeof text);
    compare(strcmp(text, classic) == 0, "KalderFormatTime", classic, text);
}

void diff_time_value(int32_t t, const char *classic) {
    char text[64];
    if (!opened || !time_separator_is_whole())
        return;
    m.timeValue(NULL, t, text, sizeof text);
    compare(strcmp(text, classic) == 0, "KalderFormatTimeValue", classic, text);
}

void diff_parse_date(const char *text, int32_t result, const DosDate *classic) {
    KalderDate date = {0, 0, 0, 0};
    int32_t refused = -1;
    KalderStatus status;
    char got[64], want[64];
    if (!opened)
        return;
    status = m.parseDate(NULL, text, KALDER_NUL_TERMINATED, &date, &refused);
    snprintf(want, sizeof want, "%d %u-%u-%u", result == 0 ? 0 : -1, classic->year, classic->month,
             classic->day);
    if (result != 0)
        snprintf(want, sizeof want, "refused");
    snprintf(got, sizeof got, "%d %d-%d-%d", status, date.year, date.month, date.day);
    if (status != KALDER_OK)
        snprintf(got, sizeof got, status < 0 ? "refused" : "status %d", status);
    compare(strcmp(got, want) == 0, "KalderParseDate", want, got);
}

void diff_parse_time(const char *text, int32_t result, int32_t hour, int32_t minute) {
    int32_t h = -1, mm = -1, refused = -1;
    KalderStatus status;
    char got[64], want[64];
    if (!opened)
        return;
    status = m.parseTime(NULL, text, KALDER_NUL_TERMINATED, &h, &mm, &refused);
    snprintf(want, sizeof want, result == 0 ? "%d:%d" : "refused", hour, minute);
    snprintf(got, sizeof got, status == KALDER_OK ? "%d:%d" : "refused", h, mm);
    compare(strcmp(got, want) == 0, "KalderParseTime", want, got);
}

void diff_day_of_year(const DosDate *date, int32_t classic) {
    char got[32], want[32];
    if (!opened || !is_real(date->year, date->month, date->day))
        return;
    snprintf(want, sizeof want, "%d", classic);
    snprintf(got, sizeof got, "%d", m.dayOfYear(date->year, date->month, date->day));
    compare(strcmp(got, want) == 0, "KalderDayOfYear", want, got);
}

void diff_date_of_day(int32_t day, uint16_t year, const DosDate *classic) {
    KalderDate date;
    char got[64], want[64];
    if (!opened || year < 1 || year > 9999 || classic->year < 1 || classic->year > 9999)
        return;
    if (m.dateOfDay(year, day, &date) != KALDER_OK)
        date.year = date.month = date.day = date.weekday = -1;
    snprintf(want, sizeof want, "%u-%u-%u w%u", classic->year, classic->month, classic->day,
             classic->dayOfWeek);
    snprintf(got, sizeof got, "%d-%d-%d w%d", date.year, date.month, date.day, date.weekday);
    compare(strcmp(got, want) == 0, "KalderDateOfDay", want, got);
}

void diff_days_in_month(int32_t year, int32_t month, int32_t classic) {
    char got[32], want[32];
    if (!opened || year < 1 || year > 9999)
        return;
    snprintf(want, sizeof want, "%d", classic);
    snprintf(got, sizeof got, "%d", m.daysInMonth(year, month));
    compare(strcmp(got, want) == 0, "KalderDaysInMonth", want, got);
}
