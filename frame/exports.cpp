// The exported functions over the settings: each takes the settings block
// in force once and hands it, with its arguments, to the worker that does
// the job.  (The calendar's exports need no settings and stand with the
// calendar.)
#include <cstring>

#include "calendar/calendar.h"
#include "format/long_date.h"
#include "format/short_date.h"
#include "format/time_format.h"
#include "kalder32.h"
#include "parse/date_parse.h"
#include "parse/decimal.h"
#include "parse/time_parse.h"
#include "settings/current_settings.h"
#include "settings/settings.h"

namespace {

uint16_t Word(int32_t value, uint32_t offset) {
    return static_cast<uint16_t>(static_cast<uint32_t>(value) + offset);
}

} // namespace

// --- The settings ----------------------------------------------------------

extern "C" void KALDERAPI GetWinDateFormat(void) { RefreshSettings(); }

extern "C" char KALDERAPI GetTimeSep(void) { return QuickSettingsInForce().timeSeparator; }

// A negative length copies nothing and a length past the record copies the
// whole record, so the copy never reads beyond it.
extern "C" void *KALDERAPI CopyWinDateStruc(void *dest, int32_t length) {
    if (dest == nullptr || length <= 0)
        return dest;
    const SettingsReader settings;
    size_t n = static_cast<size_t>(length);
    if (n > sizeof settings->record)
        n = sizeof settings->record;
    std::memmove(dest, &settings->record, n);
    return dest;
}

// --- Formatting ------------------------------------------------------------

namespace {

[[gnu::noinline]] char *ShortDateInFull(uint16_t year, uint16_t month, uint16_t day, char *out) {
    const SettingsReader settings;
    return FormatShortDate(settings->record, settings->shortPlan, year, month, day, out);
}

// A thread with a slot of its own names the block in it and clears it after;
// its first call, and a thread without one, take the full way.
inline char *ShortDate(uint16_t year, uint16_t month, uint16_t day, char *out) {
    using namespace current_settings;
    if (out == nullptr)
        return nullptr;
    ReaderSlot *slot = ThreadSlot();
    if (slot == nullptr) [[unlikely]]
        return ShortDateInFull(year, month, day, out);
    const SettingsBlock &settings = TakeNamed(slot);
    FormatShortDate(settings.record, settings.shortPlan, year, month, day, out);
    LeaveNamed(slot);
    return out;
}

[[gnu::noinline]] char *LongDateInFull(const KALDER_TM &date, char *out) {
    const SettingsReader settings;
    return FormatLongDate(settings->longDate, date, out);
}

} // namespace

extern "C" char *KALDERAPI FillDosDateFormatString(const DosDate *date, char *out) {
    return ShortDate(date->year, date->month, date->day, out);
}

extern "C" char *KALDERAPI FillDateFormatString(KALDER_TM date, char *out) {
    return ShortDate(Word(date.tm_year, 1900u), Word(date.tm_mon, 1u), Word(date.tm_mday, 0u), out);
}

// As the short date: the usual way names the block in the thread's own slot.
extern "C" char *KALDERAPI FillLongDateFormatString(KALDER_TM date, char *out) {
    using namespace current_settings;
    ReaderSlot *slot = ThreadSlot();
    if (slot == nullptr) [[unlikely]]
        return LongDateInFull(date, out);
    const SettingsBlock &settings = TakeNamed(slot);
    char *text = FormatLongDate(settings.longDate, date, out);
    LeaveNamed(slot);
    return text;
}

extern "C" char *KALDERAPI FillTimeHrMin(int32_t hour, int32_t minute, char *out) {
    return FormatTime(QuickSettingsInForce().timeSeparator, hour, minute, out);
}

extern "C" char *KALDERAPI Fill3StrTimeHrMin(int32_t hour, int32_t minute, char *hourOut,
                                             char *sepOut, char *minuteOut) {
    return FormatTimeParts(QuickSettingsInForce().timeSeparator, hour, minute, hourOut, sepOut,
                           minuteOut);
}

extern "C" char *KALDERAPI FillTimeFormatString(KALDER_TIME t, char *out) {
    int32_t hour = 0;
    int32_t minute = 0;
    UtcHourMinute(t, &hour, &minute);
    return FormatTime(QuickSettingsInForce().timeSeparator, hour, minute, out);
}

extern "C" char *KALDERAPI FillTimeFormat3Strings(KALDER_TIME t, char *hourOut, char *sepOut,
                                                  char *minuteOut) {
    int32_t hour = 0;
    int32_t minute = 0;
    UtcHourMinute(t, &hour, &minute);
    return FormatTimeParts(QuickSettingsInForce().timeSeparator, hour, minute, hourOut, sepOut,
                           minuteOut);
}

// --- Parsing: the usual text is read with the quick settings in force;
// any other text is read in full from the block then in force.  A warning
// is shown once the settings are let go, so that a box's owner may call the
// library again meanwhile.

namespace {

[[gnu::noinline]] int32_t ParseDateInFull(DosDate *date, const char *text) {
    Warning found;
    {
        const SettingsReader settings;
        found = ParseShortDate(settings->record, settings->dateDelimiters, date, text);
    }
    return ShowFound(found);
}

[[gnu::noinline]] int32_t ParseTimeInFull(int32_t *hour, int32_t *minute, const char *text) {
    Warning found;
    {
        const SettingsReader settings;
        found = ParseHourMinute(settings->timeDelimiters, hour, minute, text);
    }
    return ShowFound(found);
}

// The usual text is read with the quick settings alone; any other, and
// any text under a separator field with digits, with the block.
inline int32_t ParseDate(DosDate *date, const char *text) {
    const QuickSettings quick = QuickSettingsInForce();
    if (quick.dateOrder != QuickSettings::kNoUsualDate &&
        ReadUsualDate(quick.dateOrder, quick.dateSeparator, date, text)) [[likely]]
        return 0;
    return ParseDateInFull(date, text);
}

inline int32_t ParseTime(int32_t *hour, int32_t *minute, const char *text) {
    const QuickSettings quick = QuickSettingsInForce();
    if (quick.usualTime && ReadUsualTime(quick.timeSeparator, hour, minute, text)) [[likely]]
        return 0;
    return ParseTimeInFull(hour, minute, text);
}

} // namespace

extern "C" int32_t KALDERAPI ParseDosDateFormatString(DosDate *date, const char *text) {
    return ParseDate(date, text);
}

extern "C" int32_t KALDERAPI ParseDateFormatString(KALDER_TM *date, const char *text) {
    DosDate parsed{};
    if (ParseDate(&parsed, text) != 0)
        return -1;
    date->tm_year = parsed.year - 1900;
    date->tm_mon = parsed.month - 1;
    date->tm_mday = parsed.day;
    return 0;
}

extern "C" int32_t KALDERAPI ParseTimeHrMin(int32_t *hour, int32_t *minute, const char *text) {
    return ParseTime(hour, minute, text);
}

extern "C" int32_t KALDERAPI ParseTimeFormatString(KALDER_TIME *t, const char *text) {
    int32_t hour = 0;
    int32_t minute = 0;
    if (ParseTime(&hour, &minute, text) != 0)
        return -1;
    return StoreTimeOfDay(t, hour, minute);
}

extern "C" int32_t KALDERAPI ParseTimeFormat2Strings(KALDER_TIME *t, const char *hourText,
                                                     const char *minuteText) {
    int32_t hour = ReadTypedNumber(hourText);
    int32_t minute = ReadTypedNumber(minuteText);
    if (ShowFound(CheckHourMinute(&hour, &minute)) != 0)
        return -1;
    return StoreTimeOfDay(t, hour, minute);
}

extern "C" int32_t KALDERAPI checkhrmin(int32_t *hour, int32_t *minute) {
    return ShowFound(CheckHourMinute(hour, minute));
}

extern "C" int32_t KALDERAPI atoi_NullCheck(const char *text) { return ReadTypedNumber(text); }
