// Picture analysis and both format builders on any pictures and separators,
// then short, long and time formatting of any dates and times into buffers
// of exactly the documented size.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_common.h"
#include "record_snapshot.h"

namespace {

// Counts the conversions of a format; -1 for a % the builders never emit.
int Conversions(const char *format) {
    int n = 0;
    for (const char *p = format; *p; ++p) {
        if (*p != '%')
            continue;
        if (p[1] == '%') {
            ++p;
        } else if (p[1] == 'd' || p[1] == 's') {
            ++n, ++p;
        } else if (std::strncmp(p, "%02d", 4) == 0) {
            ++n, p += 3;
        } else {
            return -1;
        }
    }
    return n;
}

bool Terminated(const char *field, size_t width) {
    return std::memchr(field, '\0', width) != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::AttachOnce();
    FuzzedDataProvider in(data, size);
    WINDATESTRUC r = Record();
    fuzz::SetField(r.sShortDate, sizeof r.sShortDate, in.ConsumeRandomLengthString(24));
    fuzz::SetField(r.sLongDate, sizeof r.sLongDate, in.ConsumeRandomLengthString(48));
    fuzz::SetField(r.sDate, sizeof r.sDate, in.ConsumeRandomLengthString(12));
    fuzz::SetField(r.sTime, sizeof r.sTime, in.ConsumeRandomLengthString(12));
    DeriveFormats(r);
    PutInForce(r);

    fuzz::Require(r.iShortOrder >= 0 && r.iShortOrder <= 2 && r.iLongOrder >= 0 &&
                  r.iLongOrder <= 2 && r.iDayName >= 0 && r.iDayName <= 2);
    fuzz::Require(Terminated(r.szShortFmt, sizeof r.szShortFmt) &&
                  Terminated(r.szLongFmt, sizeof r.szLongFmt) &&
                  Terminated(r.szDaySep, sizeof r.szDaySep) &&
                  Terminated(r.szFirstSep, sizeof r.szFirstSep) &&
                  Terminated(r.szSecondSep, sizeof r.szSecondSep));
    fuzz::Require(Conversions(r.szShortFmt) == 3 && Conversions(r.szLongFmt) == 4);

    DosDate d;
    d.year = in.ConsumeIntegral<uint16_t>();
    d.month = in.ConsumeIntegral<uint16_t>();
    d.dayOfWeek = in.ConsumeIntegral<uint16_t>();
    d.day = in.ConsumeIntegral<uint16_t>();
    KALDER_TM tm{};
    tm.tm_year = in.ConsumeIntegral<int32_t>();
    tm.tm_mon = in.ConsumeIntegral<int32_t>();
    tm.tm_mday = in.ConsumeIntegral<int32_t>();
    tm.tm_wday = in.ConsumeIntegral<int32_t>();
    const int32_t hour = in.ConsumeIntegral<int32_t>();
    const int32_t minute = in.ConsumeIntegral<int32_t>();
    const KALDER_TIME t = in.ConsumeIntegral<int32_t>();

    // Exactly the sizes callers are told to provide: any overrun is caught.
    auto date = std::make_unique<char[]>(40);
    FillDosDateFormatString(&d, date.get());
    // The prepared form prints what printf prints with the same format.
    unsigned y = d.year;
    if (!r.bFullYear) {
        y = static_cast<uint16_t>(y - 1900);
        y = y >= 100 ? static_cast<uint16_t>(y - 100) : y;
    }
    const unsigned args[3][3] = {{d.month, d.day, y}, {d.day, d.month, y}, {y, d.month, d.day}};
    const unsigned *a = args[r.iShortOrder];
    char want[64];
    std::snprintf(want, sizeof want, r.szShortFmt, a[0], a[1], a[2]);
    fuzz::Require(std::strcmp(want, date.get()) == 0);

    FillDateFormatString(tm, date.get());
    FillLongDateFormatString(tm, date.get());
    fuzz::Require(std::strlen(date.get()) <= 39);

    auto time = std::make_unique<char[]>(24);
    FillTimeHrMin(hour, minute, time.get());
    FillTimeFormatString(t, time.get());
    auto h = std::make_unique<char[]>(12);
    auto s = std::make_unique<char[]>(2);
    auto m = std::make_unique<char[]>(12);
    Fill3StrTimeHrMin(hour, minute, h.get(), s.get(), m.get());
    FillTimeFormat3Strings(t, h.get(), s.get(), m.get());
    return 0;
}
