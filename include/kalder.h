/*
 * kalder.h - the modern interface of the KALDER32 date and time library.
 *
 * Beside the 24 classic calls of kalder32.h, over the same formatters and
 * parsers:
 *   - settings objects: immutable, shared by reference, safe to use from any
 *     number of threads, unaffected by later refreshes of the settings;
 *   - quiet calls: a bad value is a status, never a box;
 *   - bounded output: every call that writes text takes the buffer's size;
 *   - UTF-8 text (UTF-16 twins on Windows), 64-bit time values;
 *   - a calendar that writes no shared state.
 *
 * Conventions of every call:
 *   - A KalderStatus of KALDER_OK (0) is success; every failure is negative.
 *     Treat any negative value not listed here as a failure too.
 *   - A const KalderSettings * of NULL means the settings in force at the
 *     moment of the call.
 *   - Output is UTF-8, snprintf-style: the longest prefix of whole
 *     characters that fits in size - 1 bytes, then a terminator (nothing at
 *     all when size is 0, and out may be NULL only then).  The call returns
 *     the length in bytes of the whole text, so a result >= size means the
 *     text was cut; or a negative status, with an empty text written.
 *   - Text input is a pointer and a length in bytes; KALDER_NUL_TERMINATED
 *     as the length reads up to the terminator.  Text that is not UTF-8, or
 *     holds a NUL within its length, is refused with KALDER_BAD_TEXT.
 *   - A real date is proleptic Gregorian: year 1 to 9999, month 1 to 12,
 *     day within its month, checked in that order.
 *
 * Where the classic calls keep old habits, these calls decide:
 *   - a two-letter year ("yy") prints the year modulo 100 in two digits, in
 *     short and long dates;
 *   - a long date is never cut (the classic one stops at 39 bytes);
 *   - month style -1 prints no month, and 4 or more the full month name;
 *   - an empty time separator joins hour and minute with nothing (the
 *     classic time stops after the hour);
 *   - the time separator is the first whole character of sTime;
 *   - field widths count UTF-8 bytes, and KalderSettingsFromText refuses a
 *     value too long for its field instead of cutting it.
 * The parsers accept and refuse exactly what the classic parsers accept and
 * refuse (years 1980 to 2100, two-digit years placed in 1960 to 2059).
 *
 * Usable from C89 on (with <stdint.h>) and from C++; kalder.hpp is the C++20
 * face over these calls.
 */
#ifndef KALDER_H
#define KALDER_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#include <wchar.h>
#define KALDER_CALL __stdcall
#else
#define KALDER_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t KalderStatus;

#define KALDER_OK 0
#define KALDER_BAD_YEAR (-1)     /* year out of range */
#define KALDER_BAD_MONTH (-2)    /* month out of range */
#define KALDER_BAD_DAY (-3)      /* day not in its month */
#define KALDER_BAD_HOUR (-4)     /* hour outside 0 to 24 */
#define KALDER_BAD_MINUTE (-5)   /* minute outside 0 to 59 */
#define KALDER_BAD_HOUR_24 (-6)  /* hour 24 with minutes */
#define KALDER_BAD_TEXT (-7)     /* not UTF-8, too long for its field, no such language */
#define KALDER_BAD_ARGUMENT (-8) /* a null pointer or a value no call takes */
#define KALDER_NO_MEMORY (-9)

/* As a text length: the text runs to its terminator. */
#define KALDER_NUL_TERMINATED ((size_t)-1)

/* The version of this interface: calls are only ever added. */
#define KALDER_INTERFACE_VERSION 2

typedef struct KalderSettings KalderSettings;

typedef struct KalderDate {
    int32_t year;    /* 1 to 9999 */
    int32_t month;   /* 1 to 12 */
    int32_t day;     /* 1 to 31 */
    int32_t weekday; /* 0 = Sunday to 6 = Saturday */
} KalderDate;

/* --- Settings objects ----------------------------------------------------
 *
 * An object is made once and never changes.  KalderSettingsCopy gives
 * another reference to the same object; each reference is given back with
 * KalderSettingsFree. */

/* The settings in force now (texts converted from the code page they were
 * read in), with the library's own language.  Never waits on a refresh.
 * NULL only when memory runs out. */
KalderSettings *KALDER_CALL KalderSettingsInForce(void);

/* Settings made from the "intl" keys in intl, the text of a WIN.INI section
 * in UTF-8, read as the profile is read: keys in any case, the first of a
 * key wins, blanks and one pair of double quotes around a value dropped,
 * lines starting with ';' skipped, CRLF or LF line ends; an "[intl]" line
 * may come first, and the next section line ends the text.  The keys read:
 * sTime, sDate, sShortDate, sLongDate, sThousand, sDecimal; a key that is
 * missing takes the library's default for it, and a missing sShortDate
 * gives the built-in United States date settings.
 * language: "en", "de", "fr" or "es" (any case; "de_DE.UTF-8" is "de"), or
 * NULL for the library's own language; it gives the names and messages.
 * Returns NULL on failure and, when why is not NULL, stores the reason:
 * KALDER_BAD_TEXT (not UTF-8, a value too long for its field, a language
 * that is not installed), KALDER_BAD_ARGUMENT, KALDER_NO_MEMORY. */
KalderSettings *KALDER_CALL KalderSettingsFromText(const char *intl, size_t length,
                                                   const char *language, KalderStatus *why);

/* Another reference to settings (NULL for NULL). */
KalderSettings *KALDER_CALL KalderSettingsCopy(const KalderSettings *settings);

/* Gives back one reference; NULL is allowed. */
void KALDER_CALL KalderSettingsFree(KalderSettings *settings);

/* The value of one of the keys read (sTime, sDate, sShortDate, sLongDate,
 * sThousand, sDecimal; in any case), as in use; KALDER_BAD_ARGUMENT for any
 * other key. */
int KALDER_CALL KalderSettingsText(const KalderSettings *settings, const char *key, char *out,
                                   size_t size);

/* The language of the names and messages ("en", "de", "fr", "es"). */
int KALDER_CALL KalderSettingsLanguage(const KalderSettings *settings, char *out, size_t size);

/* --- Formatting ----------------------------------------------------------
 * Each returns the length of the text, or KALDER_BAD_YEAR, KALDER_BAD_MONTH,
 * KALDER_BAD_DAY (a date that is not real), KALDER_BAD_HOUR,
 * KALDER_BAD_MINUTE, KALDER_BAD_HOUR_24 (a time checkhrmin refuses). */

int KALDER_CALL KalderFormatShortDate(const KalderSettings *settings, int32_t year, int32_t month,
                                      int32_t day, char *out, size_t size);
/* The weekday is the date's own. */
int KALDER_CALL KalderFormatLongDate(const KalderSettings *settings, int32_t year, int32_t month,
                                     int32_t day, char *out, size_t size);
/* hour 0 to 24 (24 with minute 0 only), minute 0 to 59: the hour without a
 * leading zero, the separator, the minute in two digits. */
int KALDER_CALL KalderFormatTime(const KalderSettings *settings, int32_t hour, int32_t minute,
                                 char *out, size_t size);
/* The UTC time of day of seconds since 1970-01-01 00:00 UTC (any value;
 * times before 1970 count back from the day they fall in). */
int KALDER_CALL KalderFormatTimeValue(const KalderSettings *settings, int64_t seconds, char *out,
                                      size_t size);

/* --- Parsing -------------------------------------------------------------
 * A typed date or time, read as the classic parsers read it, quietly.
 * refused (may be NULL) is written on every return: the value that was
 * refused, 0 on success and for a failure that names no value.  On failure
 * date, hour and minute are not written.  Statuses: KALDER_BAD_YEAR,
 * KALDER_BAD_MONTH, KALDER_BAD_DAY, KALDER_BAD_HOUR, KALDER_BAD_MINUTE,
 * KALDER_BAD_HOUR_24, KALDER_BAD_TEXT, KALDER_BAD_ARGUMENT. */

KalderStatus KALDER_CALL KalderParseDate(const KalderSettings *settings, const char *text,
                                         size_t length, KalderDate *date, int32_t *refused);
/* 24:00 gives hour 24. */
KalderStatus KALDER_CALL KalderParseTime(const KalderSettings *settings, const char *text,
                                         size_t length, int32_t *hour, int32_t *minute,
                                         int32_t *refused);

/* The text the classic warning box shows for status and refused, in the
 * settings' language; a status the classic calls have no text for gets a
 * built-in English text. */
int KALDER_CALL KalderMessage(const KalderSettings *settings, KalderStatus status, int32_t refused,
                              char *out, size_t size);

/* --- The calendar --------------------------------------------------------
 * Pure arithmetic: no settings, no shared state. */

/* 28 to 31, or KALDER_BAD_YEAR / KALDER_BAD_MONTH. */
int32_t KALDER_CALL KalderDaysInMonth(int32_t year, int32_t month);
/* 1 to 366, or the status of the first value that is not real. */
int32_t KALDER_CALL KalderDayOfYear(int32_t year, int32_t month, int32_t day);
/* The date of day number day of year (1 is 1 January); any day number,
 * moving into earlier or later years, as long as the date stays within
 * years 1 to 9999 (else KALDER_BAD_DAY). */
KalderStatus KALDER_CALL KalderDateOfDay(int32_t year, int32_t day, KalderDate *date);
/* Seconds since 1970-01-01 00:00 UTC of a real date and a time
 * (hour 0 to 24, minute 0 to 59); INT64_MIN for anything else.  The weekday
 * is not read. */
int64_t KALDER_CALL KalderSecondsOf(const KalderDate *date, int32_t hour, int32_t minute);
/* The UTC date and time of day (seconds dropped) of seconds since 1970,
 * for dates in years 1 to 9999; hour and minute may be NULL. */
KalderStatus KALDER_CALL KalderDateOfSeconds(int64_t seconds, KalderDate *date, int32_t *hour,
                                             int32_t *minute);

#if defined(_WIN32)
/* --- UTF-16 twins (Windows) ----------------------------------------------
 * The same calls with text in UTF-16: sizes and lengths count UTF-16 units,
 * KALDER_NUL_TERMINATED reads to the terminator, and output never ends in
 * half a surrogate pair.  Names and messages come from the resource module
 * as Unicode, whatever the system code page. */
KalderSettings *KALDER_CALL KalderSettingsFromTextW(const wchar_t *intl, size_t length,
                                                    const wchar_t *language, KalderStatus *why);
int KALDER_CALL KalderSettingsTextW(const KalderSettings *settings, const wchar_t *key,
                                    wchar_t *out, size_t size);
int KALDER_CALL KalderFormatShortDateW(const KalderSettings *settings, int32_t year, int32_t month,
                                       int32_t day, wchar_t *out, size_t size);
int KALDER_CALL KalderFormatLongDateW(const KalderSettings *settings, int32_t year, int32_t month,
                                      int32_t day, wchar_t *out, size_t size);
int KALDER_CALL KalderFormatTimeW(const KalderSettings *settings, int32_t hour, int32_t minute,
                                  wchar_t *out, size_t size);
int KALDER_CALL KalderFormatTimeValueW(const KalderSettings *settings, int64_t seconds,
                                       wchar_t *out, size_t size);
KalderStatus KALDER_CALL KalderParseDateW(const KalderSettings *settings, const wchar_t *text,
                                          size_t length, KalderDate *date, int32_t *refused);
KalderStatus KALDER_CALL KalderParseTimeW(const KalderSettings *settings, const wchar_t *text,
                                          size_t length, int32_t *hour, int32_t *minute,
                                          int32_t *refused);
int KALDER_CALL KalderMessageW(const KalderSettings *settings, KalderStatus status, int32_t refused,
                               wchar_t *out, size_t size);
#endif

/* --- For callers that find the calls at run time (GetProcAddress, dlsym) */
typedef KalderSettings *(KALDER_CALL *KalderSettingsInForceFn)(void);
typedef KalderSettings *(KALDER_CALL *KalderSettingsFromTextFn)(const char *, size_t, const char *,
                                                                KalderStatus *);
typedef KalderSettings *(KALDER_CALL *KalderSettingsCopyFn)(const KalderSettings *);
typedef void(KALDER_CALL *KalderSettingsFreeFn)(KalderSettings *);
typedef int(KALDER_CALL *KalderSettingsTextFn)(const KalderSettings *, const char *, char *,
                                               size_t);
typedef int(KALDER_CALL *KalderSettingsLanguageFn)(const KalderSettings *, char *, size_t);
typedef int(KALDER_CALL *KalderFormatDateFn)(const KalderSettings *, int32_t, int32_t, int32_t,
                                             char *, size_t);
typedef int(KALDER_CALL *KalderFormatTimeFn)(const KalderSettings *, int32_t, int32_t, char *,
                                             size_t);
typedef int(KALDER_CALL *KalderFormatTimeValueFn)(const KalderSettings *, int64_t, char *, size_t);
typedef KalderStatus(KALDER_CALL *KalderParseDateFn)(const KalderSettings *, const char *, size_t,
                                                     KalderDate *, int32_t *);
typedef KalderStatus(KALDER_CALL *KalderParseTimeFn)(const KalderSettings *, const char *, size_t,
                                                     int32_t *, int32_t *, int32_t *);
typedef int(KALDER_CALL *KalderMessageFn)(const KalderSettings *, KalderStatus, int32_t, char *,
                                          size_t);
typedef int32_t(KALDER_CALL *KalderDaysInMonthFn)(int32_t, int32_t);
typedef int32_t(KALDER_CALL *KalderDayOfYearFn)(int32_t, int32_t, int32_t);
typedef KalderStatus(KALDER_CALL *KalderDateOfDayFn)(int32_t, int32_t, KalderDate *);
typedef int64_t(KALDER_CALL *KalderSecondsOfFn)(const KalderDate *, int32_t, int32_t);
typedef KalderStatus(KALDER_CALL *KalderDateOfSecondsFn)(int64_t, KalderDate *, int32_t *,
                                                         int32_t *);
#if defined(_WIN32)
typedef KalderSettings *(KALDER_CALL *KalderSettingsFromTextWFn)(const wchar_t *, size_t,
                                                                 const wchar_t *, KalderStatus *);
typedef int(KALDER_CALL *KalderSettingsTextWFn)(const KalderSettings *, const wchar_t *, wchar_t *,
                                                size_t);
typedef int(KALDER_CALL *KalderFormatDateWFn)(const KalderSettings *, int32_t, int32_t, int32_t,
                                              wchar_t *, size_t);
typedef int(KALDER_CALL *KalderFormatTimeWFn)(const KalderSettings *, int32_t, int32_t, wchar_t *,
                                              size_t);
typedef int(KALDER_CALL *KalderFormatTimeValueWFn)(const KalderSettings *, int64_t, wchar_t *,
                                                   size_t);
typedef KalderStatus(KALDER_CALL *KalderParseDateWFn)(const KalderSettings *, const wchar_t *,
                                                      size_t, KalderDate *, int32_t *);
typedef KalderStatus(KALDER_CALL *KalderParseTimeWFn)(const KalderSettings *, const wchar_t *,
                                                      size_t, int32_t *, int32_t *, int32_t *);
typedef int(KALDER_CALL *KalderMessageWFn)(const KalderSettings *, KalderStatus, int32_t, wchar_t *,
                                           size_t);
#endif

#ifdef __cplusplus
}
#endif

#endif /* KALDER_H */
