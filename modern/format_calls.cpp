// Dates and times as text, bounded, in UTF-8.
//
// Each call checks its values, then writes with the settings object it is
// given straight away; the settings in force are taken out of line.
#include "format/long_date.h"
#include "format/short_date.h"
#include "format/time_format.h"
#include "modern/civil_checks.h"
#include "modern/output.h"
#include "modern/settings_object.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// The time checkhrmin takes, or the status of what it refuses.
KalderStatus CheckTime(int32_t hour, int32_t minute) {
    if (hour < 0 || hour > 24)
        return KALDER_BAD_HOUR;
    if (minute < 0 || minute > 59)
        return KALDER_BAD_MINUTE;
    if (hour == 24 && minute != 0)
        return KALDER_BAD_HOUR_24;
    return KALDER_OK;
}

// Every short date fits the composer's area: with room for the area, it is
// composed in place.
int WriteShortDate(const KalderSettings &s, int32_t year, int32_t month, int32_t day, char *out,
                   size_t size) {
    const Settings &value = s.value;
    const auto shown = static_cast<uint16_t>(value.record.bFullYear ? year : year % 100);
    const auto m = static_cast<uint16_t>(month);
    const auto d = static_cast<uint16_t>(day);
    if (size >= short_date::kArea) [[likely]]
        return static_cast<int>(ComposeShortDate(value.record, value.shortPlan, shown, m, d, out));
    char area[short_date::kArea];
    const size_t length = ComposeShortDate(value.record, value.shortPlan, shown, m, d, area);
    return modern::Put(area, length, out, size);
}

[[gnu::always_inline]] inline int WriteLongDate(const KalderSettings &s, int32_t year,
                                                int32_t month, int32_t day, int32_t weekday,
                                                char *out, size_t size) {
    KALDER_TM date{};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    date.tm_wday = weekday;
    char area[kComposedLongDateArea];
    size_t length = 0;
    const char *text = ComposeLongDate(s.value.longDate, date, out, size, area, &length);
    return text == out ? static_cast<int>(length) : modern::Put(text, length, out, size);
}

[[gnu::noinline]] int WriteLongDateInForce(int32_t year, int32_t month, int32_t day,
                                           int32_t weekday, char *out, size_t size) {
    const modern::SettingsInUse use(nullptr);
    if (use.get() == nullptr)
        return modern::Fail(KALDER_NO_MEMORY, out, size);
    return WriteLongDate(*use.get(), year, month, day, weekday, out, size);
}

// hour, the separator and the minute in two digits.
int WriteTime(const KalderSettings &s, int32_t hour, int32_t minute, char *out, size_t size) {
    char text[time_format::kArea];
    char *p = fmt::PutDecimal(text, hour, false);
    std::memcpy(p, s.timeSeparator, 4);
    p = fmt::PutDecimal(p + s.timeSeparatorLength, minute, true);
    *p = '\0';
    return modern::Put(text, static_cast<size_t>(p - text), out, size);
}

template <class... Values>
[[gnu::noinline]] int WriteInForce(int (*write)(const KalderSettings &, Values..., char *, size_t),
                                   Values... values, char *out, size_t size) {
    const modern::SettingsInUse use(nullptr);
    if (use.get() == nullptr)
        return modern::Fail(KALDER_NO_MEMORY, out, size);
    return write(*use.get(), values..., out, size);
}

template <int (*write)(const KalderSettings &, int32_t, int32_t, int32_t, char *, size_t)>
int WriteDate(const KalderSettings *settings, int32_t year, int32_t month, int32_t day, char *out,
              size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    if (const KalderStatus bad = modern::CheckDate(year, month, day))
        return modern::Fail(bad, out, size);
    if (settings != nullptr) [[likely]]
        return write(*settings, year, month, day, out, size);
    return WriteInForce<int32_t, int32_t, int32_t>(write, year, month, day, out, size);
}

int WriteCheckedTime(const KalderSettings *settings, int32_t hour, int32_t minute, char *out,
                     size_t size) {
    if (settings != nullptr) [[likely]]
        return WriteTime(*settings, hour, minute, out, size);
    return WriteInForce<int32_t, int32_t>(WriteTime, hour, minute, out, size);
}

} // namespace

extern "C" int KALDER_CALL KalderFormatShortDate(const KalderSettings *settings, int32_t year,
                                                 int32_t month, int32_t day, char *out,
                                                 size_t size) {
    return WriteDate<WriteShortDate>(settings, year, month, day, out, size);
}

extern "C" int KALDER_CALL KalderFormatLongDate(const KalderSettings *settings, int32_t year,
                                                int32_t month, int32_t day, char *out,
                                                size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    int32_t weekday = 0;
    if (const KalderStatus bad = modern::CheckDateAndWeekday(year, month, day, &weekday))
        return modern::Fail(bad, out, size);
    if (settings != nullptr) [[likely]]
        return WriteLongDate(*settings, year, month, day, weekday, out, size);
    return WriteLongDateInForce(year, month, day, weekday, out, size);
}

extern "C" int KALDER_CALL KalderFormatTime(const KalderSettings *settings, int32_t hour,
                                            int32_t minute, char *out, size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    if (const KalderStatus bad = CheckTime(hour, minute))
        return modern::Fail(bad, out, size);
    return WriteCheckedTime(settings, hour, minute, out, size);
}

extern "C" int KALDER_CALL KalderFormatTimeValue(const KalderSettings *settings, int64_t seconds,
                                                 char *out, size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    const int64_t ofDay = (seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    return WriteCheckedTime(settings, static_cast<int32_t>(ofDay / 3600),
                            static_cast<int32_t>(ofDay % 3600 / 60), out, size);
}
