#include "settings/settings_block.h"

#include "strings/date_names.h"

void CompileSettings(SettingsBlock &block) {
    CompileRecord(block);
    fmt::KeepNames(block.longDate.names, DayNames, DayAbbrevs, MonthNames, MonthAbbrevs);
}
