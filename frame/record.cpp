// The settings record and the two exports that hand it out.
#include "frame/record.h"

#include <cstring>

// The values below stand from module load until the settings are read.
WINDATESTRUC WinDateStruc = {
    ":",                   // sTime
    "/",                   // sDate
    "M/d/yy",              // sShortDate
    "dddd, MMMM dd, yyyy", // sLongDate
    0,                     // iShortOrder
    0,                     // bMonthLZero
    0,                     // bDayLZero
    0,                     // bFullYear
    "%d/%d/%d",            // szShortFmt
    0,                     // iLongOrder
    1,                     // iDayName
    1,                     // bLongDayLZero
    3,                     // iMonthStyle
    1,                     // bLongFullYear
    ", ",                  // szDaySep
    " ",                   // szFirstSep
    ", ",                  // szSecondSep
    "%s%s%s%02d%s%s",      // szLongFmt
    ",",                   // sThousand
    ".",                   // sDecimal
};

extern "C" char KALDERAPI GetTimeSep(void) { return WinDateStruc.sTime[0]; }

// A negative length copies nothing and a length past the record copies the
// whole record, so the copy never reads beyond it.
extern "C" void *KALDERAPI CopyWinDateStruc(void *dest, int32_t length) {
    if (dest == nullptr || length <= 0)
        return dest;
    size_t n = static_cast<size_t>(length);
    if (n > sizeof WinDateStruc)
        n = sizeof WinDateStruc;
    std::memmove(dest, &WinDateStruc, n);
    return dest;
}
