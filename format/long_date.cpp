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

// Index of the first NUL among the 16 bytes at text, or 16 when there is
// none: the zero-byte test of each 8-byte half, lowest byte first.
[[gnu::always_inline]] inline size_t NulIn16(const char *text) {
    constexpr uint64_t kOnes = 0x0101010101010101u;
    constexpr uint64_t kHighs = 0x8080808080808080u;
    uint64_t half[2];
    std::memcpy(half, text, 16);
    for (size_t k = 0; k < 2; ++k) {
        // A byte's high bit is set exactly at the first zero byte (and
        // perhaps at bytes after it, which the lowest set bit ignores).
        const uint64_t zeros = (half[k] - kOnes) & ~half[k] & kHighs;
        if (zeros != 0)
            return 8 * k + static_cast<size_t>(__builtin_ctzll(zeros)) / 8;
    }
    return 16;
}

// A name of 16 characters or more into its work area, cut to fit.
[[gnu::noinline]] size_t TakeLongName(char *area, size_t areaSize, const char *name) {
    const size_t len = strnlen(name, areaSize - 1);
    fmt::CopySmall(area, name, len);
    area[len] = '\0';
    return len;
}

// Copies a table entry into a work area of at least 16 bytes, cut to fit;
// no entry (index out of range or no text loaded) gives empty text.  A
// short name is moved with its padding as one 16-byte block.  Returns the
// length.
[[gnu::always_inline]] inline size_t TakeName(char *area, size_t areaSize, char *const *table,
                                              int32_t count, int32_t index) {
    const char *name =
        static_cast<uint32_t>(index) < static_cast<uint32_t>(count) ? table[index] : nullptr;
    if (name == nullptr) {
        area[0] = '\0';
        return 0;
    }
    const size_t len = NulIn16(name);
    if (len == 16)
        return TakeLongName(area, areaSize, name);
    std::memcpy(area, name, 16);
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

// The usual long date: a plan of four conversions that take the four
// values in the kinds the element order gives them (%s for weekday and
// month, a number for day and year), both texts padded and at most 16
// characters.  Each piece is then one fixed-size move or one number, with
// no kind or room checks, into scratch (fmt::kScratchSize bytes).

// Bit i set when value i of the element order is text: the weekday always,
// the month in slot 1 for order 0 and in slot 2 otherwise.
constexpr uint8_t kTextSlots[3] = {0b0011, 0b0101, 0b0101};

bool UsualLongDate(uint32_t order, size_t weekdayLen, size_t monthLen) {
    const fmt::Plan &plan = fmt::LongPlan;
    return order <= 2 && plan.fourConversions && plan.textMask == kTextSlots[order] &&
           weekdayLen <= 16 && monthLen <= 16;
}

[[gnu::always_inline]] inline char *PutLiteral(char *p, const fmt::Slot &slot) {
    std::memcpy(p, slot.lit, sizeof slot.lit);
    return p + slot.litLen;
}

[[gnu::always_inline]] inline char *PutText(char *p, const char *text, size_t len) {
    std::memcpy(p, text, 16);
    return p + len;
}

[[gnu::always_inline]] inline char *PutNumber(char *p, const fmt::Slot &slot, int32_t value) {
    return fmt::PutInt(p, value, slot.conv == fmt::Conv::Int2);
}

// The elements in the order of order (0 month-day-year, 1 day-month-year,
// 2 year-month-day) after the weekday.
template <int order>
size_t RunLongToScratch(size_t weekdayLen, size_t monthLen, int32_t day, int32_t year,
                        char *scratch) {
    const fmt::Slot *slot = fmt::LongPlan.slots;
    char *p = PutText(PutLiteral(scratch, slot[0]), WeekdayText, weekdayLen);
    p = PutLiteral(p, slot[1]);
    if constexpr (order == 0)
        p = PutText(p, MonthText, monthLen);
    else
        p = PutNumber(p, slot[1], order == 1 ? day : year);
    p = PutLiteral(p, slot[2]);
    if constexpr (order == 0)
        p = PutNumber(p, slot[2], day);
    else
        p = PutText(p, MonthText, monthLen);
    p = PutNumber(PutLiteral(p, slot[3]), slot[3], order == 2 ? day : year);
    if (fmt::LongPlan.count == 5)
        p = PutLiteral(p, slot[4]);
    return static_cast<size_t>(p - scratch);
}

// Copies the finished text, cut to the work area, into the work area and
// into out (when given); returns out.
char *Finish(const char *text, size_t len, char *out) {
    if (len > sizeof LongDateText - 1)
        len = sizeof LongDateText - 1;
    fmt::CopySmall(LongDateText, text, len);
    LongDateText[len] = '\0';
    if (out == nullptr)
        return nullptr;
    fmt::CopySmall(out, text, len);
    out[len] = '\0';
    return out;
}

} // namespace

extern "C" char *KALDERAPI FillLongDateFormatString(KALDER_TM date, char *out) {
    // Both texts stay in their work areas, which are long enough to be read
    // 16 bytes at a time.
    static_assert(sizeof WeekdayText >= 16 && sizeof MonthText >= 16);
    static_assert(sizeof LongDateText <= fmt::kScratchText + 1);
    const size_t weekdayLen = PrepareWeekday(date.tm_wday);
    const size_t monthLen = PrepareMonth(date.tm_mon);
    const int32_t yearValue = YearValue(date.tm_year);
    const int32_t order = WinDateStruc.iLongOrder;
    char scratch[fmt::kScratchSize];
    if (UsualLongDate(static_cast<uint32_t>(order), weekdayLen, monthLen)) {
        size_t len;
        if (order == 0)
            len = RunLongToScratch<0>(weekdayLen, monthLen, date.tm_mday, yearValue, scratch);
        else if (order == 1)
            len = RunLongToScratch<1>(weekdayLen, monthLen, date.tm_mday, yearValue, scratch);
        else
            len = RunLongToScratch<2>(weekdayLen, monthLen, date.tm_mday, yearValue, scratch);
        return Finish(scratch, len, out);
    }
    const fmt::Arg weekday = fmt::PaddedTextArg(WeekdayText, static_cast<uint16_t>(weekdayLen));
    const fmt::Arg month = fmt::PaddedTextArg(MonthText, static_cast<uint16_t>(monthLen));
    const fmt::Arg day = fmt::IntArg(date.tm_mday);
    const fmt::Arg year = fmt::IntArg(yearValue);
    fmt::Arg args[4] = {weekday, month, day, year};
    if (order == 1) {
        args[1] = day;
        args[2] = month;
    } else if (order != 0) {
        args[1] = year;
        args[2] = month;
        args[3] = day;
    }
    const size_t len = fmt::Run(fmt::LongPlan, args, 4, scratch, sizeof LongDateText);
    return Finish(scratch, len, out);
}
