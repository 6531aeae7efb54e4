/*
 * kalder32.h - public interface of KALDER32.DLL, the date and time library.
 *
 * Every export uses the stdcall convention and an undecorated name with a
 * fixed ordinal (see KALDER32.def).  The library keeps one settings record,
 * WINDATESTRUC, whose byte layout is part of the interface: callers obtain it
 * with CopyWinDateStruc and read the fields at the offsets checked below.
 *
 * Usable from C and C++, from C89 and C++98 on.
 */
#ifndef KALDER32_H
#define KALDER32_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#include <time.h>
#define KALDERAPI __stdcall
#else
#define KALDERAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Seconds since 1 January 1970 00:00 UTC, signed 32-bit on every build
 * (the C library's own time_t may be 64-bit). */
typedef int32_t KALDER_TIME;

/* Four unsigned words; the same layout as the first four words of a
 * SYSTEMTIME, so a SYSTEMTIME may be passed where a DosDate is expected. */
typedef struct DosDate {
    uint16_t year;      /* full year, e.g. 1999 */
    uint16_t month;     /* 1..12 */
    uint16_t dayOfWeek; /* 0..6, 0 = Sunday */
    uint16_t day;       /* 1..31 */
} DosDate;

/* The run-time library's broken-down time: nine signed 32-bit fields. */
#if defined(_WIN32)
typedef struct tm KALDER_TM;
#else
typedef struct KALDER_TM {
    int32_t tm_sec;
    int32_t tm_min;
    int32_t tm_hour;
    int32_t tm_mday;
    int32_t tm_mon;
    int32_t tm_year;
    int32_t tm_wday;
    int32_t tm_yday;
    int32_t tm_isdst;
} KALDER_TM;
#endif

/* The settings record: 228 bytes, no gaps. */
typedef struct WINDATESTRUC {
    char sTime[10];        /*   0 time separator */
    char sDate[10];        /*  10 date separator */
    char sShortDate[20];   /*  20 short-date picture */
    char sLongDate[40];    /*  40 long-date picture */
    int32_t iShortOrder;   /*  80 0 = M d y, 1 = d M y, 2 = y M d */
    int32_t bMonthLZero;   /*  84 */
    int32_t bDayLZero;     /*  88 */
    int32_t bFullYear;     /*  92 */
    char szShortFmt[20];   /*  96 printf format of the short date */
    int32_t iLongOrder;    /* 116 */
    int32_t iDayName;      /* 120 0 none, 1 full, 2 abbreviated */
    int32_t bLongDayLZero; /* 124 */
    int32_t iMonthStyle;   /* 128 0 number, 1 two digits, 2 abbrev, 3 name */
    int32_t bLongFullYear; /* 132 */
    char szDaySep[10];     /* 136 literal after the weekday */
    char szFirstSep[10];   /* 146 literal after the first element */
    char szSecondSep[10];  /* 156 literal after the second element */
    char szLongFmt[42];    /* 166 printf format of the long date */
    char sThousand[10];    /* 208 */
    char sDecimal[10];     /* 218 */
} WINDATESTRUC;

#define KALDER_WINDATESTRUC_SIZE 228

/* Layout checks, in a form every C and C++ compiler accepts: a compiler
 * with static assertions (C11, C++11) names the failed check; an older one
 * (C89, C++98) rejects an array of negative size whose name says which. */
#if defined(__cplusplus) && __cplusplus >= 201103L
#define KALDER_LAYOUT_CHECK(name, cond) static_assert(cond, "kalder32.h layout: " #name)
#elif !defined(__cplusplus) && defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define KALDER_LAYOUT_CHECK(name, cond) _Static_assert(cond, "kalder32.h layout: " #name)
#else
#define KALDER_LAYOUT_CHECK(name, cond) typedef char kalder32_layout_##name[(cond) ? 1 : -1]
#endif

KALDER_LAYOUT_CHECK(DosDate_is_four_words, sizeof(DosDate) == 8);
KALDER_LAYOUT_CHECK(tm_is_nine_32bit_fields, sizeof(KALDER_TM) == 36);
KALDER_LAYOUT_CHECK(time_is_32bit, sizeof(KALDER_TIME) == 4);
KALDER_LAYOUT_CHECK(record_is_228_bytes, sizeof(WINDATESTRUC) == KALDER_WINDATESTRUC_SIZE);
KALDER_LAYOUT_CHECK(sTime_at_0, offsetof(WINDATESTRUC, sTime) == 0);
KALDER_LAYOUT_CHECK(sDate_at_10, offsetof(WINDATESTRUC, sDate) == 10);
KALDER_LAYOUT_CHECK(sShortDate_at_20, offsetof(WINDATESTRUC, sShortDate) == 20);
KALDER_LAYOUT_CHECK(sLongDate_at_40, offsetof(WINDATESTRUC, sLongDate) == 40);
KALDER_LAYOUT_CHECK(iShortOrder_at_80, offsetof(WINDATESTRUC, iShortOrder) == 80);
KALDER_LAYOUT_CHECK(bMonthLZero_at_84, offsetof(WINDATESTRUC, bMonthLZero) == 84);
KALDER_LAYOUT_CHECK(bDayLZero_at_88, offsetof(WINDATESTRUC, bDayLZero) == 88);
KALDER_LAYOUT_CHECK(bFullYear_at_92, offsetof(WINDATESTRUC, bFullYear) == 92);
KALDER_LAYOUT_CHECK(szShortFmt_at_96, offsetof(WINDATESTRUC, szShortFmt) == 96);
KALDER_LAYOUT_CHECK(iLongOrder_at_116, offsetof(WINDATESTRUC, iLongOrder) == 116);
KALDER_LAYOUT_CHECK(iDayName_at_120, offsetof(WINDATESTRUC, iDayName) == 120);
KALDER_LAYOUT_CHECK(bLongDayLZero_at_124, offsetof(WINDATESTRUC, bLongDayLZero) == 124);
KALDER_LAYOUT_CHECK(iMonthStyle_at_128, offsetof(WINDATESTRUC, iMonthStyle) == 128);
KALDER_LAYOUT_CHECK(bLongFullYear_at_132, offsetof(WINDATESTRUC, bLongFullYear) == 132);
KALDER_LAYOUT_CHECK(szDaySep_at_136, offsetof(WINDATESTRUC, szDaySep) == 136);
KALDER_LAYOUT_CHECK(szFirstSep_at_146, offsetof(WINDATESTRUC, szFirstSep) == 146);
KALDER_LAYOUT_CHECK(szSecondSep_at_156, offsetof(WINDATESTRUC, szSecondSep) == 156);
KALDER_LAYOUT_CHECK(szLongFmt_at_166, offsetof(WINDATESTRUC, szLongFmt) == 166);
KALDER_LAYOUT_CHECK(sThousand_at_208, offsetof(WINDATESTRUC, sThousand) == 208);
KALDER_LAYOUT_CHECK(sDecimal_at_218, offsetof(WINDATESTRUC, sDecimal) == 218);

/*
 * The contract of each export.  "Reads" and "writes" name every field or
 * setting involved; what is not named is neither read nor written.
 *
 * Threads: every export may be called from any number of threads at once
 * and gives what it gives when called alone.  The settings in force (the
 * record CopyWinDateStruc copies, read by the formatters and parsers) are
 * replaced whole by GetWinDateFormat: a call that overlaps a refresh sees
 * them entirely as they were before or entirely as they are after, never a
 * mix, and a refresh never waits for other calls, even for a thread frozen
 * or killed in the middle of one.  Formatting and parsing take no lock and
 * allocate nothing (a thread's first call after a refresh, or its first call
 * ever, may take a record for the thread).  One thing is shared on purpose:
 * the month-length table whose February follows the year of the last
 * leap-aware call on any thread (see Days_in_Month).
 *
 * Boxes: only the parsers and checkers, and GetWinDateFormat, show one.  A
 * warning box is modal, owned by the window with the keyboard focus, and
 * returns when the user closes it; the Linux build writes it to standard
 * error.  A text missing from kaldres.dll shows an error box first and "?"
 * stands in for it.
 *
 * Outputs: callers provide the room; 40 bytes always hold a date, 24 a time.
 * A null output pointer receives nothing; when it is the one the result
 * gives back, the result is null.
 */

/* --- Calendar arithmetic.  No export here checks its arguments or shows a
 * box.  A day number counts the days of a year: 1 is 1 January, 0 the day
 * before it. */

/* Reads date->year, ->month, ->day (not ->dayOfWeek).  Sets February for
 * date->year.  Gives the day number: day plus the lengths of the months
 * before month (month 0 or 1 adds none, above 13 counts as 13; 31 February
 * is 62), and stores it in *dayNumber unless dayNumber is null. */
int32_t KALDERAPI DosdToJulian(const DosDate *date, int32_t *dayNumber); /* @1 */

/* Reads date->year (unsigned 16-bit).  Sets February for that year and
 * gives its length, 28 or 29. */
int32_t KALDERAPI CorrectLeap(const DosDate *date); /* @2 */

/* Reads date->year only.  Writes ->year, ->month, ->day and ->dayOfWeek
 * with the calendar date of day dayNumber counted from 1 January of that
 * year, also outside the year: 0 in 2000 is 31 December 1999, 400 in 1999 is
 * 4 February 2000.  Gives the weekday written (0 = Sunday).  Sets February
 * for the year passed in, not the year written.  Never reads the clock. */
int32_t KALDERAPI JulianToDosd(int32_t dayNumber, DosDate *date); /* @3 */

/* Reads date->tm_year, ->tm_yday, ->tm_hour, ->tm_min, ->tm_sec; ignores
 * ->tm_mon and ->tm_mday, so tm_yday must already hold the day of the year
 * (SetTmJulian sets it).  Gives seconds since 1970-01-01 00:00 UTC, with no
 * time zone and no normalisation: a year before 1970 adds no year term, and
 * the sum wraps modulo 2^32 (2038-01-19 03:14:08 gives -2147483648).
 * Writes nothing; leaves February alone. */
KALDER_TIME KALDERAPI CalcDateSeconds(const KALDER_TM *date); /* @12 */

/* Gives the length of month 1 to 12 from the month table, 0 for any other
 * month.  February is not set first: it holds 29 or 28 for the year of the
 * last call that set it (CorrectLeap, CorrectLeapFromYear, DosdToJulian,
 * JulianToDosd, SetTmJulian, ParseDosDateFormatString and
 * ParseDateFormatString, the parsers also when they refuse), and 28 before
 * any such call.  Changes nothing. */
int32_t KALDERAPI Days_in_Month(int32_t month); /* @15 */

/* Reads date->tm_year, ->tm_mon (0 to 12; outside, the nearer end) and
 * ->tm_mday.  Writes ->tm_yday, the day number less one, and gives the
 * day number.  Every other field stays as it was: tm_wday is not set.
 * Sets February for tm_year + 1900. */
int32_t KALDERAPI SetTmJulian(KALDER_TM *date); /* @23 */

/* Reads the low 16 bits of year as a signed number (-32768 to 32767).  Sets
 * February for that year and gives its length, 28 or 29. */
int32_t KALDERAPI CorrectLeapFromYear(int32_t year); /* @24 */

/* --- Settings. */

/* Reads the "intl" keys sThousand, sDecimal, sDate, sTime, sShortDate and
 * sLongDate of WIN.INI into the settings record; a missing key leaves its
 * field empty.  Without sShortDate: on Windows 3.10 and 3.0 the country
 * entry named by sCountry in the INF file; on any other version warning box
 * 1150, then the built-in settings: separators "/" and ":", short dates as
 * 12/05/1999.  Then rebuilds every derived field and both formats from the
 * pictures in force.  The day and month names are not reloaded; February is
 * left alone. */
void KALDERAPI GetWinDateFormat(void); /* @4 */

/* Gives the first character of the time separator setting, NUL when it is
 * empty.  Changes nothing. */
char KALDERAPI GetTimeSep(void); /* @14 */

/* Copies the first length bytes (0 to 228) of the settings record to dest,
 * overlap-safe, and gives dest.  A length of 0 or less, or a null dest,
 * copies nothing; a length above 228 copies 228. */
void *KALDERAPI CopyWinDateStruc(void *dest, int32_t length); /* @16 */

/* --- Formatting.  Nothing is checked and no box is shown: whatever values
 * are given are printed.  Each gives out (minuteOut for the three-part
 * ones). */

/* Reads date->year, ->month, ->day (not ->dayOfWeek) and the short-date
 * settings.  Writes the short date into out.  A two-letter year is the
 * year less 1900 in 16 bits, less 100 once more when it reaches 100: 1999
 * gives 99, 2000 gives 00, 2100 gives 100. */
char *KALDERAPI FillDosDateFormatString(const DosDate *date, char *out); /* @5 */

/* As FillDosDateFormatString for the low 16 bits of tm_year + 1900,
 * tm_mon + 1 and tm_mday; no other field is read. */
char *KALDERAPI FillDateFormatString(KALDER_TM date, char *out); /* @6 */

/* Writes the UTC time of day of t into out (6 bytes): the hour without a
 * leading zero, the first character of the time separator, the minute in
 * two digits; seconds are dropped.  A t before 1970 counts back from
 * midnight (-1 gives 23:59).  An empty separator setting leaves the hour
 * alone. */
char *KALDERAPI FillTimeFormatString(KALDER_TIME t, char *out); /* @7 */

/* Writes hour and minute as FillTimeFormatString does, unchecked: 25, 75
 * gives 25:75. */
char *KALDERAPI FillTimeHrMin(int32_t hour, int32_t minute, char *out); /* @8 */

/* Reads date.tm_mday, .tm_mon, .tm_year, .tm_wday, the long-date settings
 * and the day and month names.  Writes the long date into out, cut to 39
 * characters.  tm_wday is trusted, not worked out from the date: set it
 * (JulianToDosd gives it).  A weekday outside 0 to 6 or a month outside 0 to
 * 11 gives an empty name.  A two-letter year prints tm_year (124 for 2024). */
char *KALDERAPI FillLongDateFormatString(KALDER_TM date, char *out); /* @17 */

/* As FillTimeFormatString, in three texts: the hour (3 bytes), the
 * separator (2 bytes, empty when the setting is) and the minute (3 bytes).
 * A null pointer among them receives nothing; the others are written. */
char *KALDERAPI FillTimeFormat3Strings(KALDER_TIME t, char *hourOut, char *sepOut,
                                       char *minuteOut); /* @18 */

/* As FillTimeHrMin, in three texts as FillTimeFormat3Strings writes them;
 * hourOut and minuteOut take up to 12 bytes each. */
char *KALDERAPI Fill3StrTimeHrMin(int32_t hour, int32_t minute, char *hourOut, char *sepOut,
                                  char *minuteOut); /* @19 */

/* --- Parsing.  0 on success; -1 on refusal, after one warning box about
 * the first bad value.  A null text reads as empty; only the first 99
 * characters of a text count.  A token that is not a number reads as 0,
 * and characters after a token's leading digits are ignored. */

/* Reads text and the settings' short-date order and date separator: three
 * numbers in the order of the short-date picture, cut at "/", ",", space,
 * "\" and the separator's characters; a missing number is 0.  A year of 0
 * to 59 is 2000 to 2059, 60 to 99 is 1960 to 1999.  Sets February for the
 * year read, also when it then refuses.  Success writes date->year,
 * ->month, ->day (not ->dayOfWeek).  Refuses, leaving *date alone, a year
 * outside 1980 to 2100 (box 1151), a month outside 1 to 12 (1152), a day
 * outside the month (1153). */
int32_t KALDERAPI ParseDosDateFormatString(DosDate *date, const char *text); /* @9 */

/* As ParseDosDateFormatString; success writes date->tm_year, ->tm_mon and
 * ->tm_mday only, leaving tm_wday and tm_yday as they were (SetTmJulian
 * sets tm_yday).  Refusal leaves *date alone. */
int32_t KALDERAPI ParseDateFormatString(KALDER_TM *date, const char *text); /* @10 */

/* Reads *t for its UTC date, and an hour and minute from text as
 * ParseTimeHrMin does, with its boxes.  Success writes *t: midnight of that
 * date plus the time (24:00 is the next midnight), no seconds.  Refusal
 * leaves *t alone; a result beyond the 32-bit range is refused without a
 * box. */
int32_t KALDERAPI ParseTimeFormatString(KALDER_TIME *t, const char *text); /* @11 */

/* Reads text and the time separator: the hour and the minute are the first
 * two tokens, cut at ".", "/", ",", space, "\", ":" and the separator's
 * characters; a missing minute is 0 and later tokens (seconds, AM or PM) are
 * ignored.  Writes *hour and *minute, also when it refuses: the values
 * read, with the one checkhrmin refused reset to 0 (25:30 leaves 0 and 30,
 * 10:75 leaves 10 and 0).  Refuses and shows a box as checkhrmin does. */
int32_t KALDERAPI ParseTimeHrMin(int32_t *hour, int32_t *minute, const char *text); /* @13 */

/* Reads *hour and *minute: 0:00 to 23:59 and 24:00 pass and are left
 * alone.  Refuses the first of: an hour outside 0 to 24 (box 1154, *hour
 * becomes 0), a minute outside 0 to 59 (1155, *minute becomes 0), hour 24
 * with minutes (1156, *minute becomes 0). */
int32_t KALDERAPI checkhrmin(int32_t *hour, int32_t *minute); /* @20 */

/* Reads *t for its UTC date; the hour is atoi_NullCheck(hourText), the
 * minute atoi_NullCheck(minuteText) (a null text is 0; neither text is cut
 * at separators).  Checks them as checkhrmin does, with its boxes, and on
 * success writes *t as ParseTimeFormatString does.  Refusal leaves *t
 * alone. */
int32_t KALDERAPI ParseTimeFormat2Strings(KALDER_TIME *t, const char *hourText,
                                          const char *minuteText); /* @21 */

/* Reads at most the first 50 characters of text: white space, one sign,
 * then decimal digits up to the first other character.  Gives their value,
 * 0 for a null text or no digits; beyond the 32-bit range it stays at the
 * largest or smallest int.  No box, no state. */
int32_t KALDERAPI atoi_NullCheck(const char *text); /* @22 */

#ifdef __cplusplus
}
#endif

#endif /* KALDER32_H */
