// Reading a typed time of day: hour and minute on a 24-hour clock, tested,
// and merged into a time value on the date that value already carries.
// (The fast path is inline: it is most of what its export does.)
#pragma once

#include <cstdint>

#include "kalder32.h"
#include "parse/tokens.h"
#include "strings/warning.h"

// The delimiters of a typed time: these, and those of the separator field.
inline constexpr tok::FixedDelimiters kFixedTimeDelimiters = tok::MakeFixed("./, \\:");

constexpr tok::Delimiters TimeDelimiters(const char *separator) {
    return tok::MakeDelimiters(kFixedTimeDelimiters, separator);
}

// Tests hour (0 to 24) and minute (0 to 59, 0 at 24): on a bad value the
// warning to show, and that value set to 0.
Warning CheckHourMinute(int32_t *hour, int32_t *minute);

// The time parse's fast path: reads a text of two short numbers (one or two
// digits) that is a good time, in one straight pass, without a call: true,
// with hour and minute set, when text is such a time with one of the fixed
// delimiters or separator between them; false, with nothing written, for
// any other text, which ParseHourMinute then reads.  Only for a separator
// field without digits.
inline bool ReadTimeOfShortNumbers(char separator, int32_t *hour, int32_t *minute,
                                   const char *text) {
    char work[100]; // as large as the general cut's: no move can leave it
    int32_t v[2] = {0, 0};
    const tok::FixedAndOne delimiters{kFixedTimeDelimiters.set, separator};
    if (text == nullptr || tok::CutShortNumbers<2, 2>(work, text, delimiters, v) < 0)
        return false;
    if ((static_cast<uint32_t>(v[0]) < 24 && static_cast<uint32_t>(v[1]) < 60) ||
        (v[0] == 24 && v[1] == 0)) {
        *hour = v[0];
        *minute = v[1];
        return true;
    }
    return false;
}

// Reads hour and minute from any text, cut at the given delimiters, and
// tests them as CheckHourMinute does.
Warning ParseHourMinute(const tok::Delimiters &delimiters, int32_t *hour, int32_t *minute,
                        const char *text);

// Sets t to midnight of its UTC day plus the time: 0, or -1 (t unchanged)
// when the sum does not fit a time value.
int32_t StoreTimeOfDay(KALDER_TIME *t, int32_t hour, int32_t minute);
