// Dates and times as text, bounded, in UTF-8.
#include "calendar/civil.h"
#include "format/long_date.h"
#include "format/short_date.h"
#include "modern/civil_checks.h"
#include "modern/output.h"
#include "modern/settings_object.h"
#include "parse/time_parse.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// hour, the separator and the minute in two digits into text (32 bytes);
// the length.
size_t ComposeTime(const KalderSettings &s, int32_t hour, int32_t minute, char *text) {
    char *p = fmt::PutDecimal(text, hour, false);
    std::memcpy(p, s.timeSeparator, 4);
    p = fmt::PutDecimal(p + s.timeSeparatorLength, minute, true);
    return static_cast<size_t>(p - text);
}

int FormatCheckedTime(const KalderSettings *settings, int32_t hour, int32_t minute, char *out,
                      size_t size) {
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return modern::Fail(KALDER_NO_MEMORY, out, size);
    char text[32];
    return modern::Put(text, ComposeTime(*use.get(), hour, minute, text), out, size);
}

} // namespace

extern "C" int KALDER_CALL KalderFormatShortDate(const KalderSettings *settings, int32_t year,
                                                 int32_t month, int32_t day, char *out,
                                                 size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    if (const KalderStatus bad = modern::CheckDate(year, month, day))
        return modern::Fail(bad, out, size);
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return modern::Fail(KALDER_NO_MEMORY, out, size);
    const Settings &value = use->value;
    const int32_t shown = value.record.bFullYear ? year : year % 100;
    char area[short_date::kArea];
    const size_t length =
        ComposeShortDate(value.record, value.shortPlan, static_cast<uint16_t>(shown),
                         static_cast<uint16_t>(month), static_cast<uint16_t>(day), area);
    return modern::Put(area, length, out, size);
}

extern "C" int KALDER_CALL KalderFormatLongDate(const KalderSettings *settings, int32_t year,
                                                int32_t month, int32_t day, char *out,
                                                size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    if (const KalderStatus bad = modern::CheckDate(year, month, day))
        return modern::Fail(bad, out, size);
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return modern::Fail(KALDER_NO_MEMORY, out, size);
    KALDER_TM date{};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    date.tm_wday = static_cast<int32_t>(WeekdayFromDays(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day))));
    char text[kComposedLongDateArea];
    return modern::Put(text, ComposeLongDate(use->value.longDate, date, text), out, size);
}

extern "C" int KALDER_CALL KalderFormatTime(const KalderSettings *settings, int32_t hour,
                                            int32_t minute, char *out, size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    if (const Warning bad = CheckHourMinute(&hour, &minute))
        return modern::Fail(modern::StatusOf(bad), out, size);
    return FormatCheckedTime(settings, hour, minute, out, size);
}

extern "C" int KALDER_CALL KalderFormatTimeValue(const KalderSettings *settings, int64_t seconds,
                                                 char *out, size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    const int64_t ofDay = (seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    return FormatCheckedTime(settings, static_cast<int32_t>(ofDay / 3600),
                             static_cast<int32_t>(ofDay % 3600 / 60), out, size);
}
