// Settings made from any text, then any date and time typed under them:
// whatever the text, a refusal is a status, output is bounded and whole
// UTF-8, and a parsed date is real.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "fuzz_common.h"
#include "kalder.h"
#include "text/unicode.h"

namespace {

void RequireWholeText(int length, const char *out, size_t size) {
    if (size == 0)
        return; // nothing written
    if (length < 0) {
        fuzz::Require(out[0] == '\0');
        return;
    }
    const size_t kept = std::strlen(out);
    fuzz::Require(kept < size && kept <= static_cast<size_t>(length));
    fuzz::Require(uni::IsUtf8(out, kept));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::AttachOnce();
    FuzzedDataProvider in(data, size);
    const std::string language = in.ConsumeRandomLengthString(8);
    const std::string intl = in.ConsumeRandomLengthString(600);
    const std::string typed = in.ConsumeRandomLengthString(160);
    const auto cut = in.ConsumeIntegralInRange<size_t>(0, 64);

    KalderStatus why = 1;
    KalderSettings *s = KalderSettingsFromText(intl.data(), intl.size(),
                                               language.empty() ? nullptr : language.c_str(), &why);
    fuzz::Require((s != nullptr) == (why == KALDER_OK));
    if (s == nullptr)
        return 0;
    char out[72];
    const size_t room = cut < sizeof out ? cut : sizeof out;
    RequireWholeText(KalderFormatLongDate(s, 1999, 12, 25, out, room), out, room);
    RequireWholeText(KalderFormatShortDate(s, 2024, 2, 29, out, room), out, room);
    RequireWholeText(KalderFormatTime(s, 23, 59, out, room), out, room);

    KalderDate date{};
    int32_t refused = -1;
    if (KalderParseDate(s, typed.data(), typed.size(), &date, &refused) == KALDER_OK) {
        fuzz::Require(refused == 0 && KalderDayOfYear(date.year, date.month, date.day) > 0);
        fuzz::Require(date.year >= 1980 && date.year <= 2100);
    }
    int32_t hour = -1;
    int32_t minute = -1;
    if (KalderParseTime(s, typed.data(), typed.size(), &hour, &minute, &refused) == KALDER_OK)
        fuzz::Require(hour >= 0 && minute >= 0 && minute <= 59 && (hour < 24 || minute == 0));
    KalderSettingsFree(s);
    return 0;
}
