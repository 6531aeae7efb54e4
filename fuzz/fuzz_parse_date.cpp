// Date parsing under every element order and any date separator.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "fuzz_common.h"
#include "record_snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::AttachOnce();
    FuzzedDataProvider in(data, size);
    ChangeRecord([&](WINDATESTRUC &r) {
        r.iShortOrder = in.ConsumeIntegralInRange<int32_t>(0, 2);
        fuzz::SetField(r.sDate, sizeof r.sDate, in.ConsumeRandomLengthString(12));
    });
    const std::string text = in.ConsumeRemainingBytesAsString();

    DosDate d{7, 7, 7, 7};
    if (ParseDosDateFormatString(&d, text.c_str()) == 0) {
        fuzz::Require(d.year >= 1980 && d.year <= 2100 && d.month >= 1 && d.month <= 12 &&
                      d.day >= 1 && d.day <= Days_in_Month(d.month) && d.dayOfWeek == 7);
    } else {
        fuzz::Require(d.year == 7 && d.month == 7 && d.day == 7 && d.dayOfWeek == 7);
    }
    KALDER_TM tm;
    std::memset(&tm, 0x5A, sizeof tm);
    const KALDER_TM before = tm;
    if (ParseDateFormatString(&tm, text.c_str()) == 0) {
        fuzz::Require(tm.tm_year == d.year - 1900 && tm.tm_mon == d.month - 1 &&
                      tm.tm_mday == d.day && tm.tm_wday == before.tm_wday);
    } else {
        fuzz::Require(std::memcmp(&tm, &before, sizeof tm) == 0);
    }
    host::ClearMessageBoxes();
    return 0;
}
