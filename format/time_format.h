// Times of day as text: the hour without a leading zero, the user's time
// separator, the minute with two digits.  (Inline: they are most of what
// their exports do.)
#pragma once

#include <cstddef>
#include <cstdint>

#include "format/plan.h"

namespace time_format {

// The longest text, two 32-bit numbers and a separator, has 23 characters.
inline constexpr size_t kArea = 40;

// The one composition of both forms: hour, separator and minute with two
// digits into text (kArea bytes, not terminated); sets hourLen to the
// hour's length and returns the length of the whole.
inline size_t ComposeTime(char *text, char separator, int32_t hour, int32_t minute,
                          size_t *hourLen) {
    char *p = fmt::PutDecimal(text, hour, false);
    *hourLen = static_cast<size_t>(p - text);
    *p++ = separator;
    p = fmt::PutDecimal(p, minute, true);
    return static_cast<size_t>(p - text);
}

// Copies the work area's text and its NUL; a null destination receives
// nothing and gives null.
inline char *CopyOut(char *out, const char *text, size_t len) {
    if (out == nullptr)
        return nullptr;
    fmt::CopySmall(out, text, len);
    out[len] = '\0';
    return out;
}

} // namespace time_format

// hour, the separator and minute with two digits into out (24 bytes; out
// may be null); an empty separator (NUL) ends the text after the hour.
// Returns out.
inline char *FormatTime(char separator, int32_t hour, int32_t minute, char *out) {
    using namespace time_format;
    char text[kArea];
    size_t hourLen;
    const size_t len = ComposeTime(text, separator, hour, minute, &hourLen);
    return CopyOut(out, text, separator == '\0' ? hourLen : len);
}

// The same as three texts; each out may be null.  Returns minuteOut.
char *FormatTimeParts(char separator, int32_t hour, int32_t minute, char *hourOut,
                      char *separatorOut, char *minuteOut);
