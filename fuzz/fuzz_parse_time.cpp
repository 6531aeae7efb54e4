// Time parsing with any time separator, one text or two.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_common.h"
#include "record_snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::AttachOnce();
    FuzzedDataProvider in(data, size);
    ChangeRecord([&](WINDATESTRUC &r) {
        fuzz::SetField(r.sTime, sizeof r.sTime, in.ConsumeRandomLengthString(12));
    });
    const KALDER_TIME start = in.ConsumeIntegral<int32_t>();
    const std::string hourText = in.ConsumeRandomLengthString(120);
    const std::string text = in.ConsumeRemainingBytesAsString();

    int32_t hour = -99, minute = -99;
    if (ParseTimeHrMin(&hour, &minute, text.c_str()) == 0)
        fuzz::Require(hour >= 0 && minute >= 0 && minute <= 59 &&
                      (hour < 24 || (hour == 24 && minute == 0)));

    KALDER_TIME t = start;
    if (ParseTimeFormatString(&t, text.c_str()) == 0) {
        // Midnight of the value's UTC day, plus the typed time.
        const int64_t day = (int64_t{start} - ((int64_t{start} % 86400) + 86400) % 86400);
        fuzz::Require(int64_t{t} == day + hour * 3600 + minute * 60);
    } else {
        fuzz::Require(t == start);
    }
    t = start;
    if (ParseTimeFormat2Strings(&t, hourText.c_str(), text.c_str()) != 0)
        fuzz::Require(t == start);
    t = start;
    ParseTimeFormat2Strings(&t, nullptr, text.c_str());
    host::ClearMessageBoxes();
    return 0;
}
