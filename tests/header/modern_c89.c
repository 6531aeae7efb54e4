/* The modern interface's header as a C89 code base sees it: declarations
 * before statements, no // comments, and the function-pointer types for
 * callers that look the calls up at run time. */
#include "kalder.h"

static int Typed(const KalderSettings *settings, const char *text) {
    KalderDate date;
    int32_t refused = 0;
    KalderParseDateFn parse = KalderParseDate;
    if (parse(settings, text, KALDER_NUL_TERMINATED, &date, &refused) != KALDER_OK)
        return (int)refused;
    return (int)date.weekday;
}

int main(void) {
    char text[40];
    KalderStatus why = KALDER_OK;
    KalderSettings *settings =
        KalderSettingsFromText("sShortDate=d.M.yyyy", KALDER_NUL_TERMINATED, "de", &why);
    KalderFormatDateFn format = KalderFormatLongDate;
    int64_t seconds = KalderSecondsOf((const KalderDate *)0, 0, 0);
    int length = format(settings, 1999, 12, 25, text, sizeof text);
    length += Typed(settings, "25.12.1999");
    KalderSettingsFree(settings);
    return length > 0 && seconds == INT64_MIN && why == KALDER_OK ? 0 : 1;
}
