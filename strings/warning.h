// The warning box through which the user hears of bad input.
#pragma once

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
