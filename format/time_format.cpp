#include "format/time_format.h"

using namespace time_format;

char *FormatTimeParts(char separator, int32_t hour, int32_t minute, char *hourOut,
                      char *separatorOut, char *minuteOut) {
    char text[kArea];
    size_t len = WriteNumber(text, hour, false);
    text[len] = '\0';
    CopyOut(hourOut, text, len);

    text[0] = separator;
    text[1] = '\0';
    CopyOut(separatorOut, text, separator == '\0' ? 0 : 1);

    len = WriteNumber(text, minute, true);
    text[len] = '\0';
    return CopyOut(minuteOut, text, len);
}
