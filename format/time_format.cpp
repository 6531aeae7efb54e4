#include "format/time_format.h"

using namespace time_format;

char *FormatTimeParts(char separator, int32_t hour, int32_t minute, char *hourOut,
                      char *separatorOut, char *minuteOut) {
    char text[kArea];
    size_t hourLen;
    const size_t len = ComposeTime(text, separator, hour, minute, &hourLen);
    CopyOut(hourOut, text, hourLen);
    CopyOut(separatorOut, text + hourLen, separator == '\0' ? 0 : 1);
    return CopyOut(minuteOut, text + hourLen + 1, len - hourLen - 1);
}
