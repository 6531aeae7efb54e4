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

// A name of 16 characters or more into its work area, cut to fit.
[[gnu::noinline]] void TakeLongName(char *area, size_t areaSize, const char *name) {
    const size_t len = strnlen(name, areaSize - 1);
    fmt::CopySmall(area, name, len);
    area[len] = '\0';
}

// A text that only its work area holds, not a framed piece: its length
// passes any text that framed pieces can make, which sends the long date
// the full way.
constexpr fmt::FramedText kOnlyInArea{fmt::kNoText.at, fmt::FramedAssembly::kMaxLength + 1};

// Copies a table entry into a work area of at least 16 bytes, cut to fit;
// no entry (index out of range or no text loaded) gives empty text.  A
// short name is moved with its padding as one 16-byte block.  Returns the
// name as a framed piece, or kOnlyInArea when it is too long for one.
[[gnu::always_inline]] inline fmt::FramedText
TakeName(char *area, size_t areaSize, char *const *table, int32_t count, int32_t index) {
    const char *name =
        static_cast<uint32_t>(index) < static_cast<uint32_t>(count) ? table[index] : nullptr;
    if (name == nullptr) {
        area[0] = '\0';
        return fmt::kNoText;
    }
    const size_t len = ShortNameLength(name);
    if (len == kNameBlock) {
        TakeLongName(area, areaSize, name);
        return kOnlyInArea;
    }
    std::memcpy(area, name, 16);
    return fmt::FramedText{name, len};
}

fmt::FramedText PrepareWeekday(int32_t wday) {
    switch (WinDateStruc.iDayName) {
    case 1:
        return TakeName(WeekdayText, sizeof WeekdayText, DayNames, 7, wday);
    case 2:
        return TakeName(WeekdayText, sizeof WeekdayText, DayAbbrevs, 7, wday);
    default:
        WeekdayText[0] = '\0';
        return fmt::kNoText;
    }
}

// The month number of styles 0 and 1: tm_mon + 1 for every tm_mon, with
// the wrap of 32-bit arithmetic.
fmt::FramedText PrepareMonthNumber(int32_t mon, bool twoDigits) {
    const uint32_t number = static_cast<uint32_t>(mon) + 1u;
    if (number < 100) {
        const fmt::FramedText text = fmt::FramedNumber(number, twoDigits);
        std::memcpy(MonthText, text.at, 16);
        return text;
    }
    *fmt::PutInt(MonthText, static_cast<int32_t>(number), twoDigits) = '\0';
    return kOnlyInArea;
}

// Every month style writes the month text, so nothing of an earlier call
// can show through; a style outside 0 to 3 gives empty text.
fmt::FramedText PrepareMonth(int32_t mon) {
    switch (WinDateStruc.iMonthStyle) {
    case 0:
    case 1:
        return PrepareMonthNumber(mon, WinDateStruc.iMonthStyle == 1);
    case 2:
        return TakeName(MonthText, sizeof MonthText, MonthAbbrevs, 12, mon);
    case 3:
        return TakeName(MonthText, sizeof MonthText, MonthNames, 12, mon);
    default:
        MonthText[0] = '\0';
        return fmt::kNoText;
    }
}

// A two-letter year shows tm_year itself (124 for 2024), not a year
// reduced by its century.
int32_t YearValue(int32_t tmYear) {
    if (WinDateStruc.bLongFullYear == 0)
        return tmYear;
    return static_cast<int32_t>(static_cast<uint32_t>(tmYear) + 1900u);
}

// The usual long date is put together from framed pieces (see
// format/framed.h): the plan's literals, the two texts, and the numbers
// from the table of framed digits.  That takes a plan of four conversions
// that take the four values in the kinds the element order gives them (%s
// for weekday and month, a number for day and year), texts of at most 15
// characters, a day below 100, a year from 0 to 9999 and a result of at
// most 31 characters.  Anything else runs the plan in full.

// Bit i set when value i of the element order is text: the weekday always,
// the month in slot 1 for order 0 and in slot 2 otherwise.
constexpr uint8_t kTextSlots[3] = {0b0011, 0b0101, 0b0101};

bool UsualPlan(uint32_t order) {
    const fmt::Plan &plan = fmt::LongPlan;
    return order <= 2 && plan.fourConversions && plan.textMask == kTextSlots[order];
}

// value, a year from 0 to 9999, as two pieces: the hundreds, then the
// rest with at least two digits; below 100 the value alone, with the
// slot's conversion.
void YearPieces(const fmt::Slot &slot, uint32_t value, fmt::FramedText *high,
                fmt::FramedText *low) {
    if (value < 100) {
        *high = fmt::kNoText;
        *low = fmt::FramedNumber(value, slot.conv == fmt::Conv::Int2);
        return;
    }
    const uint32_t hundreds = value / 100;
    *high = fmt::FramedDigitsEntry(hundreds);
    *low = fmt::FramedDigitsEntry(value - 100 * hundreds + fmt::kTwoDigitEntries);
}

// A literal of the plan, when it has text.
[[gnu::always_inline]] inline void AddLiteral(fmt::FramedAssembly &text, const fmt::Plan &plan,
                                              int slot) {
    if (plan.slots[slot].litLen != 0)
        text.Add(fmt::FramedLiteral(plan, slot));
}

// Writes the long date of element order order (0 month-day-year, 1
// day-month-year, 2 year-month-day) from framed pieces into the work area
// and into out (when given), when every value fits a piece and the text
// has at most 31 characters; otherwise writes nothing and returns false.
template <int order>
bool WriteUsual(fmt::FramedText weekday, fmt::FramedText month, int32_t day, int32_t year,
                char *out) {
    const fmt::Plan &plan = fmt::LongPlan;
    constexpr int kDaySlot = order == 0 ? 2 : order == 1 ? 1 : 3;
    constexpr int kYearSlot = order == 2 ? 1 : 3;
    const auto dayValue = static_cast<uint32_t>(day);
    const auto yearValue = static_cast<uint32_t>(year);
    if (dayValue >= 100 || yearValue >= 10000)
        return false;
    const fmt::FramedText d =
        fmt::FramedNumber(dayValue, plan.slots[kDaySlot].conv == fmt::Conv::Int2);
    fmt::FramedText y1;
    fmt::FramedText y2;
    YearPieces(plan.slots[kYearSlot], yearValue, &y1, &y2);
    const size_t len = plan.litTotal + weekday.len + month.len + d.len + y1.len + y2.len;
    if (len > fmt::FramedAssembly::kMaxLength)
        return false;
    fmt::FramedAssembly text;
    AddLiteral(text, plan, 0);
    text.Add(weekday);
    text.Add(fmt::FramedLiteral(plan, 1));
    if constexpr (order == 0) {
        text.Add(month);
        text.Add(fmt::FramedLiteral(plan, 2));
        text.Add(d);
    } else if constexpr (order == 1) {
        text.Add(d);
        text.Add(fmt::FramedLiteral(plan, 2));
        text.Add(month);
    } else {
        text.Add(y1);
        text.Add(y2);
        text.Add(fmt::FramedLiteral(plan, 2));
        text.Add(month);
    }
    text.Add(fmt::FramedLiteral(plan, 3));
    if constexpr (order == 2) {
        text.Add(d);
    } else {
        text.Add(y1);
        text.Add(y2);
    }
    AddLiteral(text, plan, 4);
    text.Store32(LongDateText);
    if (out != nullptr)
        text.StoreText(out);
    return true;
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

// Any long date: the plan run in full.
[[gnu::noinline]] char *RunInFull(const KALDER_TM &date, int32_t yearValue, char *out) {
    const auto weekdayLen = static_cast<uint16_t>(std::strlen(WeekdayText));
    const auto monthLen = static_cast<uint16_t>(std::strlen(MonthText));
    const fmt::Arg weekday = fmt::PaddedTextArg(WeekdayText, weekdayLen);
    const fmt::Arg month = fmt::PaddedTextArg(MonthText, monthLen);
    const fmt::Arg day = fmt::IntArg(date.tm_mday);
    const fmt::Arg year = fmt::IntArg(yearValue);
    fmt::Arg args[4] = {weekday, month, day, year};
    const int32_t order = WinDateStruc.iLongOrder;
    if (order == 1) {
        args[1] = day;
        args[2] = month;
    } else if (order != 0) {
        args[1] = year;
        args[2] = month;
        args[3] = day;
    }
    char scratch[fmt::kScratchSize];
    const size_t len = fmt::Run(fmt::LongPlan, args, 4, scratch, sizeof LongDateText);
    return Finish(scratch, len, out);
}

} // namespace

extern "C" char *KALDERAPI FillLongDateFormatString(KALDER_TM date, char *out) {
    // Both texts stay in their work areas, which are long enough to be read
    // 16 bytes at a time; name blocks are framed as framed pieces are.
    static_assert(sizeof WeekdayText >= 16 && sizeof MonthText >= 16);
    static_assert(sizeof LongDateText <= fmt::kScratchText + 1);
    static_assert(kNameLead - 1 >= fmt::kFrameLead && kNameTrail >= fmt::kFrameTrail);
    const fmt::FramedText weekday = PrepareWeekday(date.tm_wday);
    const fmt::FramedText month = PrepareMonth(date.tm_mon);
    const int32_t yearValue = YearValue(date.tm_year);
    const int32_t order = WinDateStruc.iLongOrder;
    if (UsualPlan(static_cast<uint32_t>(order))) {
        bool written;
        if (order == 0)
            written = WriteUsual<0>(weekday, month, date.tm_mday, yearValue, out);
        else if (order == 1)
            written = WriteUsual<1>(weekday, month, date.tm_mday, yearValue, out);
        else
            written = WriteUsual<2>(weekday, month, date.tm_mday, yearValue, out);
        if (written)
            return out;
    }
    return RunInFull(date, yearValue, out);
}
