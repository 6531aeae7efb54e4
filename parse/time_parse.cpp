// Reading a typed time of day: hour and minute on a 24-hour clock, tested,
// and merged into a time value on the date that value already carries.
#include <cstdint>

#include "calendar/calendar.h"
#include "frame/record.h"
#include "kalder32.h"
#include "parse/decimal.h"
#include "parse/tokens.h"
#include "platform/platform.h"
#include "strings/vs_string.h"
#include "strings/warning.h"

namespace {

char TimeWork[100];
char TimeDelimiters[20];

constexpr tok::FixedDelimiters kFixedTimeDelimiters = tok::MakeFixed("./, \\:");
// The class table of the fixed delimiters and the separator last seen.
constinit tok::DelimiterCache TimeDelimiterCache = tok::MakeCache(kFixedTimeDelimiters);
static_assert(sizeof WinDateStruc.sTime == tok::DelimiterCache::kFieldSize);
static_assert(sizeof TimeDelimiters == tok::DelimiterCache::kAreaSize);
static_assert(sizeof TimeWork >= 3 * 2 + 1);

// Midnight of the value's UTC day plus the time, or -1 (and the value left
// alone) when the sum does not fit a time value: 24:00 on the last day the
// 32-bit count reaches, or an early hour on the first.
int32_t StoreTimeOfDay(KALDER_TIME *t, int32_t hour, int32_t minute) {
    const int64_t result = UtcMidnight(*t) + int64_t{hour} * 3600 + int64_t{minute} * 60;
    if (result < INT32_MIN || result > INT32_MAX)
        return -1;
    *t = static_cast<KALDER_TIME>(result);
    return 0;
}

} // namespace

extern "C" int32_t KALDERAPI checkhrmin(int32_t *hour, int32_t *minute) {
    if (*hour < 0 || *hour > 24) {
        ShowWarning(plat::GetFocus(), vs_String(kStrBadHour), *hour);
        *hour = 0;
        return -1;
    }
    if (*minute < 0 || *minute > 59) {
        ShowWarning(plat::GetFocus(), vs_String(kStrBadMinute), *minute);
        *minute = 0;
        return -1;
    }
    if (*hour == 24 && *minute != 0) {
        ShowWarning(plat::GetFocus(), vs_String(kStrHour24WithMinutes));
        *minute = 0;
        return -1;
    }
    return 0;
}

namespace {

// Any typed time: delimiter runs, tokens of any kind.  Only hour and minute
// are read: seconds and an AM or PM suffix, being later tokens, are never
// looked at.  The hour goes through the 50-character conversion, the minute
// is read over its whole token.
[[gnu::noinline]] int32_t ParseTimeInFull(int32_t *hour, int32_t *minute, const char *text) {
    const tok::DelimiterSet &set = tok::Delimiters(TimeDelimiterCache, kFixedTimeDelimiters,
                                                   WinDateStruc.sTime, TimeDelimiters);
    tok::Token tokens[2];
    const int found = tok::CopyAndCut(TimeWork, sizeof TimeWork, text, set, tokens, 2);
    const tok::Token &h = tokens[0];
    const tok::Token &m = tokens[1];
    *hour = found < 1 ? 0 : h.digitsOnly ? h.value : atoi_NullCheck(h.text);
    *minute = found < 2 ? 0 : m.digitsOnly ? m.value : DecimalPrefix(m.text, sizeof TimeWork);
    return checkhrmin(hour, minute);
}

} // namespace

extern "C" int32_t KALDERAPI ParseTimeHrMin(int32_t *hour, int32_t *minute, const char *text) {
    int32_t v[2] = {0, 0};
    // The usual text (one or two short numbers) with the separator seen
    // before is read in one straight pass, and the usual time passes its
    // test without a call; anything else takes the general way.
    if (text == nullptr || !tok::FreshPlainDigits(TimeDelimiterCache, WinDateStruc.sTime) ||
        tok::CutShortNumbers<2, 2>(TimeWork, text, TimeDelimiterCache.set, v) < 0)
        return ParseTimeInFull(hour, minute, text);
    *hour = v[0];
    *minute = v[1];
    if ((static_cast<uint32_t>(v[0]) < 24 && static_cast<uint32_t>(v[1]) < 60) ||
        (v[0] == 24 && v[1] == 0))
        return 0;
    return checkhrmin(hour, minute);
}

extern "C" int32_t KALDERAPI ParseTimeFormatString(KALDER_TIME *t, const char *text) {
    int32_t hour = 0;
    int32_t minute = 0;
    if (ParseTimeHrMin(&hour, &minute, text) != 0)
        return -1;
    return StoreTimeOfDay(t, hour, minute);
}

extern "C" int32_t KALDERAPI ParseTimeFormat2Strings(KALDER_TIME *t, const char *hourText,
                                                     const char *minuteText) {
    int32_t hour = atoi_NullCheck(hourText);
    int32_t minute = atoi_NullCheck(minuteText);
    if (checkhrmin(&hour, &minute) != 0)
        return -1;
    return StoreTimeOfDay(t, hour, minute);
}
