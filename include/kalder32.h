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

/* Calendar arithmetic. */
int32_t KALDERAPI DosdToJulian(const DosDate *date, int32_t *dayNumber);       /* @1 */
int32_t KALDERAPI CorrectLeap(const DosDate *date);                            /* @2 */
int32_t KALDERAPI JulianToDosd(int32_t dayNumber, DosDate *date);              /* @3 */
KALDER_TIME KALDERAPI CalcDateSeconds(const KALDER_TM *date);                  /* @12 */
int32_t KALDERAPI Days_in_Month(int32_t month);                                /* @15 */
int32_t KALDERAPI SetTmJulian(KALDER_TM *date);                                /* @23 */
int32_t KALDERAPI CorrectLeapFromYear(int32_t year); /* low 16 bits, signed */ /* @24 */

/* Settings. */
void KALDERAPI GetWinDateFormat(void);                        /* @4 */
char KALDERAPI GetTimeSep(void);                              /* @14 */
void *KALDERAPI CopyWinDateStruc(void *dest, int32_t length); /* @16 */

/* Formatting; callers provide 40 bytes for dates, 24 for a time. */
char *KALDERAPI FillDosDateFormatString(const DosDate *date, char *out); /* @5 */
char *KALDERAPI FillDateFormatString(KALDER_TM date, char *out);         /* @6 */
char *KALDERAPI FillTimeFormatString(KALDER_TIME t, char *out);          /* @7 */
char *KALDERAPI FillTimeHrMin(int32_t hour, int32_t minute, char *out);  /* @8 */
char *KALDERAPI FillLongDateFormatString(KALDER_TM date, char *out);     /* @17 */
char *KALDERAPI FillTimeFormat3Strings(KALDER_TIME t, char *hourOut, char *sepOut,
                                       char *minuteOut); /* @18 */
char *KALDERAPI Fill3StrTimeHrMin(int32_t hour, int32_t minute, char *hourOut, char *sepOut,
                                  char *minuteOut); /* @19 */

/* Parsing: 0 on success, -1 after a warning box. */
int32_t KALDERAPI ParseDosDateFormatString(DosDate *date, const char *text);        /* @9 */
int32_t KALDERAPI ParseDateFormatString(KALDER_TM *date, const char *text);         /* @10 */
int32_t KALDERAPI ParseTimeFormatString(KALDER_TIME *t, const char *text);          /* @11 */
int32_t KALDERAPI ParseTimeHrMin(int32_t *hour, int32_t *minute, const char *text); /* @13 */
int32_t KALDERAPI checkhrmin(int32_t *hour, int32_t *minute);                       /* @20 */
int32_t KALDERAPI ParseTimeFormat2Strings(KALDER_TIME *t, const char *hourText,
                                          const char *minuteText); /* @21 */
int32_t KALDERAPI atoi_NullCheck(const char *text);                /* @22 */

#ifdef __cplusplus
}
#endif

#endif /* KALDER32_H */
