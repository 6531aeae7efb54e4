#include "settings/settings.h"

#include "strings/date_names.h"

void CompileSettings(Settings &settings) {
    CompileRecord(settings);
    fmt::KeepNames(settings.longDate.names, DayNames, DayAbbrevs, MonthNames, MonthAbbrevs);
}
