/*
 * kalder32.h - public interface of KALDER32.DLL, the date and time library.
 *
 * Every export uses the stdcall convention and an undecorated name with a
 * fixed ordinal (see KALDER32.def).  The library keeps one settings record,
 * WINDATESTRUC, whose byte layout is part of the interface: callers obtain it
 * with CopyWinDateStruc and read the fields at the offsets checked below.
 *
 * Usable from C and C++.
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

#if defined(__cplusplus)
#define KALDER_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define KALDER_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

KALDER_STATIC_ASSERT(sizeof(DosDate) == 8, "DosDate is four words");
KALDER_STATIC_ASSERT(sizeof(KALDER_TM) == 36, "struct tm is nine 32-bit fields");
KALDER_STATIC_ASSERT(sizeof(KALDER_TIME) == 4, "time value is 32-bit");
KALDER_STATIC_ASSERT(sizeof(WINDATESTRUC) == 228, "settings record is 228 bytes");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, sTime) == 0, "sTime");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, sDate) == 10, "sDate");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, sShortDate) == 20, "sShortDate");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, sLongDate) == 40, "sLongDate");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, iShortOrder) == 80, "iShortOrder");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, bMonthLZero) == 84, "bMonthLZero");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, bDayLZero) == 88, "bDayLZero");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, bFullYear) == 92, "bFullYear");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, szShortFmt) == 96, "szShortFmt");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, iLongOrder) == 116, "iLongOrder");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, iDayName) == 120, "iDayName");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, bLongDayLZero) == 124, "bLongDayLZero");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, iMonthStyle) == 128, "iMonthStyle");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, bLongFullYear) == 132, "bLongFullYear");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, szDaySep) == 136, "szDaySep");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, szFirstSep) == 146, "szFirstSep");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, szSecondSep) == 156, "szSecondSep");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, szLongFmt) == 166, "szLongFmt");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, sThousand) == 208, "sThousand");
KALDER_STATIC_ASSERT(offsetof(WINDATESTRUC, sDecimal) == 218, "sDecimal");

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
