#include "parse/time_parse.h"

#include "calendar/civil.h"
#include "parse/decimal.h"

namespace {

// The work area a typed text is copied into and cut in.
constexpr size_t kTimeWork = 100;

static_assert(sizeof WINDATESTRUC{}.sTime == tok::Delimiters::kFieldSize);

} // namespace

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

Warning CheckHourMinute(int32_t *hour, int32_t *minute) {
    if (*hour < 0 || *hour > 24) {
        const Warning bad{kStrBadHour, *hour, true};
        *hour = 0;
        return bad;
    }
    if (*minute < 0 || *minute > 59) {
        const Warning bad{kStrBadMinute, *minute, true};
        *minute = 0;
        return bad;
    }
    if (*hour == 24 && *minute != 0) {
        *minute = 0;
        return Warning{kStrHour24WithMinutes, 0, false};
    }
    return kNoWarning;
}

// Delimiter runs, tokens of any kind.  Only hour and minute are read:
// seconds and an AM or PM suffix, being later tokens, are never looked at.
// The hour goes through the 50-character conversion, the minute is read
// over its whole token.
Warning ParseHourMinute(const tok::Delimiters &delimiters, int32_t *hour, int32_t *minute,
                        const char *text) {
    const tok::DelimiterSet &set = delimiters.set;
    char work[kTimeWork];
    tok::Token tokens[2];
    const int found = tok::CopyAndCut(work, kTimeWork, text, set, tokens, 2);
    const tok::Token &h = tokens[0];
    const tok::Token &m = tokens[1];
    *hour = found < 1 ? 0 : h.digitsOnly ? h.value : ReadTypedNumber(h.text);
    *minute = found < 2 ? 0 : m.digitsOnly ? m.value : DecimalPrefix(m.text, kTimeWork);
    return CheckHourMinute(hour, minute);
}
