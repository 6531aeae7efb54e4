/*
 * calls.h - one deterministic pass over all 24 exports, written out in full.
 *
 * The same pass is built for Linux (over libkalder32.so) and for both
 * Windows builds (over KALDER32.dll); each writes every result and every
 * byte the library wrote, and the outputs must be identical.  The pass sets
 * its own settings, so the three builds read the same profile.
 *
 * What differs per system is kept to the few functions below: loading the
 * library, writing a settings profile, and echoing warning boxes into the
 * output (on Linux the library writes them to standard error, which the
 * host runner points at the output; on Windows a hook writes them).
 */
#ifndef CALLS_H
#define CALLS_H

#include <stdio.h>

#include "kalder32.h"

/* Every export, in ordinal order. */
/* clang-format off */
#define KALDER_EXPORTS(X) \
    X(DosdToJulian) \
    X(CorrectLeap) \
    X(JulianToDosd) \
    X(GetWinDateFormat) \
    X(FillDosDateFormatString) \
    X(FillDateFormatString) \
    X(FillTimeFormatString) \
    X(FillTimeHrMin) \
    X(ParseDosDateFormatString) \
    X(ParseDateFormatString) \
    X(ParseTimeFormatString) \
    X(CalcDateSeconds) \
    X(ParseTimeHrMin) \
    X(GetTimeSep) \
    X(Days_in_Month) \
    X(CopyWinDateStruc) \
    X(FillLongDateFormatString) \
    X(FillTimeFormat3Strings) \
    X(Fill3StrTimeHrMin) \
    X(checkhrmin) \
    X(ParseTimeFormat2Strings) \
    X(atoi_NullCheck) \
    X(SetTmJulian) \
    X(CorrectLeapFromYear)
/* clang-format on */

typedef struct KalderApi {
#define KALDER_API_FIELD(name) __typeof__(name) *name;
    KALDER_EXPORTS(KALDER_API_FIELD)
#undef KALDER_API_FIELD
} KalderApi;

/* The "intl" keys a profile sets; a null value leaves the key out. */
typedef struct CallsProfile {
    const char *name;
    const char *sShortDate, *sLongDate, *sDate, *sTime, *sThousand, *sDecimal;
} CallsProfile;

/* Provided per system: opening the library and looking up an export by
 * name, closing it, and writing the "intl" settings. */
int calls_open(const char *library);
void *calls_symbol(const char *name);
void calls_close(void);
void calls_write_profile(const CallsProfile *profile);

/* Loads the library from `library` and runs the pass, writing to `out`.
 * Returns 0 when the library loaded and the pass ran. */
int calls_run(FILE *out, const char *library);

#endif /* CALLS_H */
