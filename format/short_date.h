// Short dates: a date written in the user's short form.
//
// The form is fully prepared in the settings record and its compiled plan;
// this takes the century off the year when the picture shows none, puts the
// three values in the picture's order and runs the plan: every plan the
// builder makes through the three-number fast path, any other through the
// general runner.  (Inline: it is most of what its export does.)
#pragma once

#include <cstdint>

#include "format/plan.h"
#include "kalder32.h"

namespace short_date {

// Every call composes its text in an area of this size first.
inline constexpr size_t kArea = 40;

// Two-digit years count from 1900 and lose one century at most, so 2100
// shows as 100; the arithmetic is in 16 bits, as the date words are.
inline uint16_t ShownYear(const WINDATESTRUC &record, uint16_t year) {
    if (record.bFullYear)
        return year;
    uint16_t shown = static_cast<uint16_t>(year - 1900);
    if (shown >= 100)
        shown = static_cast<uint16_t>(shown - 100);
    return shown;
}

} // namespace short_date

// Writes year, month and day, the year as shown, in the short form of the
// settings record, run through the plan of its short format, into area
// (40 bytes); returns the length.
inline size_t ComposeShortDate(const WINDATESTRUC &record, const fmt::Plan &plan, uint16_t shown,
                               uint16_t month, uint16_t day, char *area) {
    uint16_t values[3] = {month, day, shown};
    if (record.iShortOrder == 1) {
        values[0] = day;
        values[1] = month;
    } else if (record.iShortOrder == 2) {
        values[0] = shown;
        values[1] = month;
        values[2] = day;
    }
    if (plan.threeNumbers) [[likely]]
        return fmt::RunThreeNumbers(plan, values[0], values[1], values[2], area);
    const fmt::Arg args[3] = {fmt::IntArg(values[0]), fmt::IntArg(values[1]),
                              fmt::IntArg(values[2])};
    return fmt::Run(plan, args, 3, area, short_date::kArea);
}

// Writes year, month and day in the short form of the settings record, run
// through the plan of its short format, into out (40 bytes); returns out,
// or null for a null out.
inline char *FormatShortDate(const WINDATESTRUC &record, const fmt::Plan &plan, uint16_t year,
                             uint16_t month, uint16_t day, char *out) {
    if (out == nullptr)
        return nullptr;
    char area[short_date::kArea];
    static_assert(sizeof area == 40, "RunThreeNumbers needs 40 bytes");
    const size_t length =
        ComposeShortDate(record, plan, short_date::ShownYear(record, year), month, day, area);
    fmt::CopySmall(out, area, length + 1);
    return out;
}
