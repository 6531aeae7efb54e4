// The long date: an optional weekday name, then day, month and year in the
// order and with the literals of the long-date picture, the month as a
// number or a name.  The picture's format is run as a prepared plan, in two
// 16-byte registers when the text fits them (the fast path), otherwise
// through the general plan runner.
#include "format/long_date.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using fmt::LongDateNames;
using fmt::NameKind;

// The result is cut to this area, terminator included.
constexpr size_t kLongDateArea = 40;

// The work areas of one call: each text is read 16 bytes at a time.
struct LongDateWork {
    char weekday[LongDateNames::kWeekdayArea];
    char month[LongDateNames::kMonthArea];
};

// What one call reads: the settings and its work areas.
struct LongDateCall {
    const LongDateForm &form;
    LongDateWork &work;
};

// A name of 16 characters or more into its work area, already cut to fit.
[[gnu::noinline]] void TakeLongName(char *area, const char *name) {
    fmt::CopySmall(area, name, std::strlen(name) + 1);
}

// A text that only its work area holds, not a padded piece: its length
// passes any text that padded pieces can make, which sends the long date
// through the plan runner.
constexpr fmt::PaddedText kNotPadded{fmt::kNoText.at, fmt::RegisterText::kMaxLength + 1};

// Copies a name into a work area of at least 16 bytes, cut to fit; no
// name (index out of range or no text loaded) gives empty text.  A short
// name is moved with its padding as one 16-byte block.  Returns the name as
// a padded piece, or kNotPadded when it is too long for one.
[[gnu::always_inline]] inline fmt::PaddedText
TakeName(char *area, const LongDateNames &names, NameKind kind, int32_t count, int32_t index) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(count)) {
        area[0] = '\0';
        return fmt::kNoText;
    }
    const size_t entry = fmt::NameEntry(kind, static_cast<size_t>(index));
    const size_t len = names.length[entry];
    if (len == LongDateNames::kLong) {
        const bool weekday = kind == NameKind::Day || kind == NameKind::DayAbbrev;
        TakeLongName(area, weekday ? names.longWeekdays[entry]
                                   : names.longMonths[entry - 2 * LongDateNames::kDays]);
        return kNotPadded;
    }
    const char *padded = names.padded + fmt::kPadBefore + entry * fmt::kPaddedStride;
    std::memcpy(area, padded, 16);
    return fmt::PaddedText{padded, len};
}

fmt::PaddedText PrepareWeekday(const LongDateCall &call, int32_t wday) {
    switch (call.form.dayName) {
    case 1:
        return TakeName(call.work.weekday, call.form.names, NameKind::Day, 7, wday);
    case 2:
        return TakeName(call.work.weekday, call.form.names, NameKind::DayAbbrev, 7, wday);
    default:
        call.work.weekday[0] = '\0';
        return fmt::kNoText;
    }
}

// The month number of styles 0 and 1: tm_mon + 1 for every tm_mon, with
// the wrap of 32-bit arithmetic.
fmt::PaddedText PrepareMonthNumber(char *area, int32_t mon, bool twoDigits) {
    const uint32_t number = static_cast<uint32_t>(mon) + 1u;
    if (number < 100) {
        const fmt::PaddedText text = fmt::PaddedNumber(number, twoDigits);
        std::memcpy(area, text.at, 16);
        return text;
    }
    *fmt::PutDecimal(area, static_cast<int32_t>(number), twoDigits) = '\0';
    return kNotPadded;
}

// Every month style writes the month text, so nothing of an earlier call
// can show through; a style outside 0 to 3 gives empty text.
fmt::PaddedText PrepareMonth(const LongDateCall &call, int32_t mon) {
    char *area = call.work.month;
    switch (call.form.monthStyle) {
    case 0:
    case 1:
        return PrepareMonthNumber(area, mon, call.form.monthStyle == 1);
    case 2:
        return TakeName(area, call.form.names, NameKind::MonthAbbrev, 12, mon);
    case 3:
        return TakeName(area, call.form.names, NameKind::Month, 12, mon);
    default:
        area[0] = '\0';
        return fmt::kNoText;
    }
}

// A two-letter year shows tm_year itself (124 for 2024), not a year
// reduced by its century, unless the form asks for the year in its century.
int32_t YearValue(const LongDateForm &form, int32_t tmYear) {
    const auto year = static_cast<int32_t>(static_cast<uint32_t>(tmYear) + 1900u);
    if (form.fullYear != 0)
        return year;
    return form.yearInCentury ? year % 100 : tmYear;
}

// The fast path puts the long date together in two registers from padded
// pieces (see
// format/padded_text.h): the plan's literals, the two texts, and the numbers
// from the table of padded digits.  That takes a plan of four conversions
// that take the four values in the kinds the element order gives them (%s
// for weekday and month, a number for day and year), texts of at most 15
// characters, a day below 100, a year from 0 to 9999 and a result of at
// most 31 characters.  Anything else goes through the plan runner.

// Bit i set when value i of the element order is text: the weekday always,
// the month in slot 1 for order 0 and in slot 2 otherwise.
constexpr uint8_t kTextSlots[3] = {0b0011, 0b0101, 0b0101};

bool HasRegisterShape(const fmt::Plan &plan, uint32_t order) {
    return order <= 2 && plan.fourConversions && plan.textMask == kTextSlots[order];
}

// value, a year from 0 to 9999, as two pieces: the hundreds, then the
// rest with at least two digits; below 100 the value alone, with the
// slot's conversion.
void YearPieces(const fmt::Slot &slot, uint32_t value, fmt::PaddedText *high,
                fmt::PaddedText *low) {
    if (value < 100) {
        *high = fmt::kNoText;
        *low = fmt::PaddedNumber(value, slot.conv == fmt::Conv::Int2);
        return;
    }
    const uint32_t hundreds = value / 100;
    *high = fmt::PaddedDigitsEntry(hundreds);
    *low = fmt::PaddedDigitsEntry(value - 100 * hundreds + fmt::kTwoDigitEntries);
}

// A literal of the plan, when it has text.
[[gnu::always_inline]] inline void AddLiteral(fmt::RegisterText &text, const fmt::Plan &plan,
                                              int slot) {
    if (plan.slots[slot].litLen != 0)
        text.Add(fmt::PaddedLiteral(plan, slot));
}

// What WriteInRegisters returns for a text it cannot write.
constexpr size_t kNoFit = SIZE_MAX;

// Writes the long date of element order order (0 month-day-year, 1
// day-month-year, 2 year-month-day) from padded pieces into out (when
// given), when every value fits a piece and the text has at most 31
// characters, and returns its length; otherwise writes nothing and returns
// kNoFit.
size_t WriteInRegisters(const fmt::Plan &plan, int32_t order, fmt::PaddedText weekday,
                        fmt::PaddedText month, int32_t day, int32_t year, char *out) {
    const int daySlot = order == 0 ? 2 : order == 1 ? 1 : 3;
    const int yearSlot = order == 2 ? 1 : 3;
    const auto dayValue = static_cast<uint32_t>(day);
    const auto yearValue = static_cast<uint32_t>(year);
    if (dayValue >= 100 || yearValue >= 10000)
        return kNoFit;
    const fmt::PaddedText d =
        fmt::PaddedNumber(dayValue, plan.slots[daySlot].conv == fmt::Conv::Int2);
    fmt::PaddedText y1;
    fmt::PaddedText y2;
    YearPieces(plan.slots[yearSlot], yearValue, &y1, &y2);
    const size_t len = plan.litTotal + weekday.len + month.len + d.len + y1.len + y2.len;
    if (len > fmt::RegisterText::kMaxLength)
        return kNoFit;
    fmt::RegisterText text;
    AddLiteral(text, plan, 0);
    text.Add(weekday);
    text.Add(fmt::PaddedLiteral(plan, 1));
    if (order == 2) {
        text.Add(y1);
        text.Add(y2);
        text.Add(fmt::PaddedLiteral(plan, 2));
        text.Add(month);
        text.Add(fmt::PaddedLiteral(plan, 3));
        text.Add(d);
    } else {
        text.Add(order == 0 ? month : d);
        text.Add(fmt::PaddedLiteral(plan, 2));
        text.Add(order == 0 ? d : month);
        text.Add(fmt::PaddedLiteral(plan, 3));
        text.Add(y1);
        text.Add(y2);
    }
    AddLiteral(text, plan, 4);
    if (out != nullptr)
        text.StoreText(out);
    return len;
}

// Copies the finished text, cut to the long date's area, into out (when
// given); returns out.
char *Finish(const char *text, size_t len, char *out) {
    if (len > kLongDateArea - 1)
        len = kLongDateArea - 1;
    if (out == nullptr)
        return nullptr;
    fmt::CopySmall(out, text, len);
    out[len] = '\0';
    return out;
}

// Any long date: the plan through the general runner, into text (cap
// bytes); returns the length.
[[gnu::noinline]] size_t RunPlan(const LongDateCall &call, const KALDER_TM &date, int32_t yearValue,
                                 char *text, size_t cap) {
    const char *weekdayText = call.work.weekday;
    const char *monthText = call.work.month;
    const auto weekdayLen = static_cast<uint16_t>(std::strlen(weekdayText));
    const auto monthLen = static_cast<uint16_t>(std::strlen(monthText));
    const fmt::Arg weekday = fmt::PaddedTextArg(weekdayText, weekdayLen);
    const fmt::Arg month = fmt::PaddedTextArg(monthText, monthLen);
    const fmt::Arg day = fmt::IntArg(date.tm_mday);
    const fmt::Arg year = fmt::IntArg(yearValue);
    fmt::Arg args[4] = {weekday, month, day, year};
    const int32_t order = call.form.order;
    if (order == 1) {
        args[1] = day;
        args[2] = month;
    } else if (order != 0) {
        args[1] = year;
        args[2] = month;
        args[3] = day;
    }
    return fmt::Run(call.form.plan, args, 4, text, cap);
}

char *WriteThroughPlan(const LongDateCall &call, const KALDER_TM &date, int32_t yearValue,
                       char *out) {
    char text[kLongDateArea];
    return Finish(text, RunPlan(call, date, yearValue, text, sizeof text), out);
}

} // namespace

char *FormatLongDate(const LongDateForm &form, const KALDER_TM &date, char *out) {
    // Both texts stay in their work areas, which are long enough to be read
    // 16 bytes at a time.
    LongDateWork work;
    static_assert(sizeof work.weekday >= 16 && sizeof work.month >= 16);
    const LongDateCall call{form, work};
    const fmt::Plan &plan = form.plan;
    const fmt::PaddedText weekday = PrepareWeekday(call, date.tm_wday);
    const fmt::PaddedText month = PrepareMonth(call, date.tm_mon);
    const int32_t yearValue = YearValue(form, date.tm_year);
    const int32_t order = form.order;
    if (HasRegisterShape(plan, static_cast<uint32_t>(order))) {
        if (WriteInRegisters(plan, order, weekday, month, date.tm_mday, yearValue, out) != kNoFit)
            return out;
    }
    return WriteThroughPlan(call, date, yearValue, out);
}

char *FormatLongDateThroughPlan(const LongDateForm &form, const KALDER_TM &date, char *out) {
    LongDateWork work;
    const LongDateCall call{form, work};
    PrepareWeekday(call, date.tm_wday);
    PrepareMonth(call, date.tm_mon);
    return WriteThroughPlan(call, date, YearValue(form, date.tm_year), out);
}

const char *ComposeLongDate(const LongDateForm &form, const KALDER_TM &date, char *out, size_t size,
                            char *area, size_t *length) {
    LongDateWork work;
    const LongDateCall call{form, work};
    const fmt::PaddedText weekday = PrepareWeekday(call, date.tm_wday);
    const fmt::PaddedText month = PrepareMonth(call, date.tm_mon);
    const int32_t yearValue = YearValue(form, date.tm_year);
    const int32_t order = form.order;
    if (HasRegisterShape(form.plan, static_cast<uint32_t>(order))) {
        // Texts of the fast path have at most 31 characters.
        char *to = size > fmt::RegisterText::kMaxLength ? out : area;
        *length = WriteInRegisters(form.plan, order, weekday, month, date.tm_mday, yearValue, to);
        if (*length != kNoFit)
            return to;
    }
    *length = RunPlan(call, date, yearValue, area, kComposedLongDateArea);
    return area;
}
