#include "format/long_date_names.h"

#include <cstring>

namespace fmt {

namespace {

void CutTo(char *area, size_t areaSize, const char *name) {
    const size_t len = strnlen(name, areaSize - 1);
    std::memcpy(area, name, len);
    area[len] = '\0';
}

void KeepName(LongDateNames &names, NameKind kind, size_t index, const char *name) {
    const size_t entry = NameEntry(kind, index);
    char *padded = names.padded + kPadBefore + entry * kPaddedStride;
    const size_t len = name != nullptr ? strnlen(name, LongDateNames::kLong) : 0;
    names.length[entry] = static_cast<uint8_t>(len);
    if (len < LongDateNames::kLong) {
        if (len != 0)
            std::memcpy(padded, name, len);
        return;
    }
    if (kind == NameKind::Day || kind == NameKind::DayAbbrev)
        CutTo(names.longWeekdays[entry], LongDateNames::kWeekdayArea, name);
    else
        CutTo(names.longMonths[entry - 2 * LongDateNames::kDays], LongDateNames::kMonthArea, name);
}

void KeepTable(LongDateNames &names, NameKind kind, const char *const *table, size_t count) {
    for (size_t i = 0; i < count; ++i)
        KeepName(names, kind, i, table[i]);
}

} // namespace

void KeepNames(LongDateNames &names, const char *const *days, const char *const *dayAbbrevs,
               const char *const *months, const char *const *monthAbbrevs) {
    std::memset(names.padded, 0, sizeof names.padded);
    KeepTable(names, NameKind::Day, days, LongDateNames::kDays);
    KeepTable(names, NameKind::DayAbbrev, dayAbbrevs, LongDateNames::kDays);
    KeepTable(names, NameKind::Month, months, LongDateNames::kMonths);
    KeepTable(names, NameKind::MonthAbbrev, monthAbbrevs, LongDateNames::kMonths);
}

} // namespace fmt
