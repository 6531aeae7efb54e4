// The weekday and month names as the long date takes them.
//
// Each name below 16 characters is kept padded (see padded_text.h), so that the
// long date can put it together in registers; a longer one is kept cut to
// the work area it is shown through.
#pragma once

#include <cstddef>
#include <cstdint>

#include "format/padded_text.h"

namespace fmt {

enum class NameKind : uint8_t { Day, DayAbbrev, Month, MonthAbbrev };

struct LongDateNames {
    static constexpr size_t kDays = 7;
    static constexpr size_t kMonths = 12;
    static constexpr size_t kCount = 2 * kDays + 2 * kMonths;
    // A name of this many characters or more is not padded.
    static constexpr size_t kLong = 16;
    // The work areas of a weekday and of a month, terminator included.
    static constexpr size_t kWeekdayArea = 60;
    static constexpr size_t kMonthArea = 20;

    // Entry i padded at kPadBefore + i * kPaddedStride.
    alignas(16) char padded[kPadBefore + kCount * kPaddedStride + kPadAfter];
    // Each entry's length, kLong for a longer name.
    uint8_t length[kCount];
    char longWeekdays[2 * kDays][kWeekdayArea];
    char longMonths[2 * kMonths][kMonthArea];
};

// The entry of name index of a kind (below its count, 7 or 12).
constexpr size_t NameEntry(NameKind kind, size_t index) {
    constexpr size_t kFirst[4] = {0, LongDateNames::kDays, 2 * LongDateNames::kDays,
                                  2 * LongDateNames::kDays + LongDateNames::kMonths};
    return kFirst[static_cast<size_t>(kind)] + index;
}

// Keeps the names of the four tables (entries may be null: no name).
void KeepNames(LongDateNames &names, const char *const *days, const char *const *dayAbbrevs,
               const char *const *months, const char *const *monthAbbrevs);

} // namespace fmt
