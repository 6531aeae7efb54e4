// The long date: an optional weekday name, then day, month and year in the
// order and with the literals of the long-date picture, the month as a
// number or a name.  The picture's format is run as a prepared plan.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "format/plan.h"
#include "frame/record.h"
#include "kalder32.h"
#include "strings/date_names.h"

namespace {

char WeekdayText[60];
char MonthText[20];
char LongDateText[40];

// Copies a table entry into a work area, cut to fit; no entry (index out
// of range or no text loaded) gives empty text.  Returns the length.
size_t TakeName(char *area, size_t areaSize, char *const *table, int32_t count, int32_t index) {
    const char *name = index >= 0 && index < count ? table[index] : nullptr;
    size_t len = 0;
    if (name != nullptr) {
        len = strnlen(name, areaSize - 1);
        fmt::CopySmall(area, name, len);
    }
    area[len] = '\0';
    return len;
}

size_t PrepareWeekday(int32_t wday) {
    switch (WinDateStruc.iDayName) {
    case 1:
        return TakeName(WeekdayText, sizeof WeekdayText, DayNames, 7, wday);
    case 2:
        return TakeName(WeekdayText, sizeof WeekdayText, DayAbbrevs, 7, wday);
    default:
        WeekdayText[0] = '\0';
        return 0;
    }
}

// Every month style writes the month text, so nothing of an earlier call
// can show through; a style outside 0 to 3 gives empty text.
size_t PrepareMonth(int32_t mon) {
    // tm_mon + 1 for every tm_mon, with the wrap of 32-bit arithmetic.
    const auto number = static_cast<int32_t>(static_cast<uint32_t>(mon) + 1u);
    switch (WinDateStruc.iMonthStyle) {
    case 0:
    case 1: {
        char *end = fmt::PutInt(MonthText, number, WinDateStruc.iMonthStyle == 1);
        *end = '\0';
        return static_cast<size_t>(end - MonthText);
    }
    case 2:
        return TakeName(MonthText, sizeof MonthText, MonthAbbrevs, 12, mon);
    case 3:
        return TakeName(MonthText, sizeof MonthText, MonthNames, 12, mon);
    default:
        MonthText[0] = '\0';
        return 0;
    }
}

// A two-letter year shows tm_year itself (124 for 2024), not a year
// reduced by its century.
int32_t YearValue(int32_t tmYear) {
    if (WinDateStruc.bLongFullYear == 0)
        return tmYear;
    return static_cast<int32_t>(static_cast<uint32_t>(tmYear) + 1900u);
}

} // namespace

extern "C" char *KALDERAPI FillLongDateFormatString(KALDER_TM date, char *out) {
    // Both texts stay in their work areas, which are long enough to be read
    // 16 bytes at a time.
    static_assert(sizeof WeekdayText >= 16 && sizeof MonthText >= 16);
    const auto weekdayLen = static_cast<uint16_t>(PrepareWeekday(date.tm_wday));
    const auto monthLen = static_cast<uint16_t>(PrepareMonth(date.tm_mon));
    const fmt::Arg weekday = fmt::PaddedTextArg(WeekdayText, weekdayLen);
    const fmt::Arg month = fmt::PaddedTextArg(MonthText, monthLen);
    const fmt::Arg day = fmt::IntArg(date.tm_mday);
    const fmt::Arg year = fmt::IntArg(YearValue(date.tm_year));
    fmt::Arg args[4] = {weekday, month, day, year};
    if (WinDateStruc.iLongOrder == 1) {
        args[1] = day;
        args[2] = month;
    } else if (WinDateStruc.iLongOrder != 0) {
        args[1] = year;
        args[2] = month;
        args[3] = day;
    }
    const size_t len = fmt::Run(fmt::LongPlan, args, 4, LongDateText, sizeof LongDateText);
    if (out == nullptr)
        return nullptr;
    fmt::CopySmall(out, LongDateText, len + 1);
    return out;
}
