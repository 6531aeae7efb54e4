// Times of day as text: the hour without a leading zero, the user's time
// separator, the minute with two digits.  Time values are broken down in
// UTC with floor arithmetic, so a value before 1970 still falls on its own
// day (-1 is 23:59).
#include <cstddef>
#include <cstdint>

#include "calendar/calendar.h"
#include "format/plan.h"
#include "frame/record.h"
#include "kalder32.h"

namespace {

// Each holds the last text formatted into it; the longest text, two 32-bit
// numbers and a separator, has 23 characters.
char TimeText[40];
char TimePartText[40];

char SeparatorChar() { return WinDateStruc.sTime[0]; }

size_t WriteNumber(char *out, int32_t value, bool twoDigits) {
    return static_cast<size_t>(fmt::PutInt(out, value, twoDigits) - out);
}

// Copies the work area's text and its NUL; a null destination receives
// nothing and gives null.
char *CopyOut(char *out, const char *text, size_t len) {
    if (out == nullptr)
        return nullptr;
    fmt::CopySmall(out, text, len);
    out[len] = '\0';
    return out;
}

} // namespace

extern "C" char *KALDERAPI FillTimeHrMin(int32_t hour, int32_t minute, char *out) {
    size_t len = WriteNumber(TimeText, hour, false);
    const size_t hourLen = len;
    TimeText[len++] = SeparatorChar();
    len += WriteNumber(TimeText + len, minute, true);
    TimeText[len] = '\0';
    // An empty separator setting puts its NUL after the hour, and the text
    // handed out ends there.
    return CopyOut(out, TimeText, SeparatorChar() == '\0' ? hourLen : len);
}

extern "C" char *KALDERAPI Fill3StrTimeHrMin(int32_t hour, int32_t minute, char *hourOut,
                                             char *sepOut, char *minuteOut) {
    size_t len = WriteNumber(TimePartText, hour, false);
    TimePartText[len] = '\0';
    CopyOut(hourOut, TimePartText, len);

    TimePartText[0] = SeparatorChar();
    TimePartText[1] = '\0';
    CopyOut(sepOut, TimePartText, TimePartText[0] == '\0' ? 0 : 1);

    len = WriteNumber(TimePartText, minute, true);
    TimePartText[len] = '\0';
    return CopyOut(minuteOut, TimePartText, len);
}

extern "C" char *KALDERAPI FillTimeFormatString(KALDER_TIME t, char *out) {
    int32_t hour = 0;
    int32_t minute = 0;
    UtcHourMinute(t, &hour, &minute);
    return FillTimeHrMin(hour, minute, out);
}

extern "C" char *KALDERAPI FillTimeFormat3Strings(KALDER_TIME t, char *hourOut, char *sepOut,
                                                  char *minuteOut) {
    int32_t hour = 0;
    int32_t minute = 0;
    UtcHourMinute(t, &hour, &minute);
    return Fill3StrTimeHrMin(hour, minute, hourOut, sepOut, minuteOut);
}
