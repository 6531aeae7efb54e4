// The warning box through which the user hears of bad input.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Texts of the resource module's string table.
enum StringId : unsigned {
    kStrUnsupportedVersion = 1150,
    kStrBadYear = 1151,
    kStrBadMonth = 1152,
    kStrBadDay = 1153,
    kStrBadHour = 1154,
    kStrBadMinute = 1155,
    kStrHour24WithMinutes = 1156,
    kStrWarningCaption = 1157,
    kStrFirstDayName = 1158,
    kStrFirstDayAbbrev = 1165,
    kStrFirstMonthName = 1172,
    kStrFirstMonthAbbrev = 1184,
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
inline int32_t ShowFound(const Warning &warning) { return warning ? ShowWarningFound(warning) : 0; }
