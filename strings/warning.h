// The warning box through which the user hears of bad input.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "res/string_ids.h"

// Texts of the resource module's string table.
enum StringId : unsigned {
    kStrUnsupportedVersion = KALDER_STR_UNSUPPORTED_VERSION,
    kStrBadYear = KALDER_STR_BAD_YEAR,
    kStrBadMonth = KALDER_STR_BAD_MONTH,
    kStrBadDay = KALDER_STR_BAD_DAY,
    kStrBadHour = KALDER_STR_BAD_HOUR,
    kStrBadMinute = KALDER_STR_BAD_MINUTE,
    kStrHour24WithMinutes = KALDER_STR_HOUR24_WITH_MINUTES,
    kStrWarningCaption = KALDER_STR_WARNING_CAPTION,
    kStrFirstDayName = KALDER_STR_FIRST_DAY_NAME,
    kStrFirstDayAbbrev = KALDER_STR_FIRST_DAY_ABBREV,
    kStrFirstMonthName = KALDER_STR_FIRST_MONTH_NAME,
    kStrFirstMonthAbbrev = KALDER_STR_FIRST_MONTH_ABBREV,
};

// Shows format (a warning text with no conversion) in a warning box.
void ShowWarning(plat::Window owner, const char *format);
// Shows format with its one integer conversion filled with value.
void ShowWarning(plat::Window owner, const char *format, int value);

// The same for the warning text numbered id, fetched for this call alone.
void ShowWarning(plat::Window owner, StringId id);
void ShowWarning(plat::Window owner, StringId id, int value);

// A warning a check has found, to be shown by its caller: the text's
// number (0 for none) and, when it has one, the value for its conversion.
struct Warning {
    unsigned id;
    int32_t value;
    bool hasValue;

    explicit operator bool() const { return id != 0; }
};

inline constexpr Warning kNoWarning{0, 0, false};

// Shows warning in a box owned by the focus window; returns -1.
int32_t ShowWarningFound(const Warning &warning);

// Shows warning, when there is one; returns 0 without a warning, -1 after
// its box.
inline int32_t ShowWarningIfAny(const Warning &warning) {
    return warning ? ShowWarningFound(warning) : 0;
}
