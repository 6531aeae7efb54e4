// The 24 exported functions, each a thin face over the worker that does its
// job.  Those over the settings take the settings in force once
// (settings/publish/in_force.h) and hand them to the worker as a value; a
// warning is shown only after the worker is done with them.  The ordinals and names are in
// frame/KALDER32.def.
#include <cstring>

#include "calendar/civil.h"
#include "calendar/date_words.h"
#include "calendar/month_table.h"
#include "format/long_date.h"
#include "format/short_date.h"
#include "format/time_format.h"
#include "kalder32.h"
#include "parse/date_parse.h"
#include "parse/decimal.h"
#include "parse/time_parse.h"
#include "settings/publish/in_force.h"
#include "settings/publish/refresh.h"
#include "strings/warning.h"

namespace {

// A value of a struct tm field as the 16-bit word of a date record.
uint16_t DateWord(int32_t value, uint32_t offset) {
    return static_cast<uint16_t>(static_cast<uint32_t>(value) + offset);
}

// Each export reads the settings the thread's record names already and
// makes no call before it; the first call after a refresh takes the full
// way out of line, so that the common way needs no stack frame.

[[gnu::noinline]] char *ShortDateInFull(uint16_t year, uint16_t month, uint16_t day, char *out) {
    const SettingsHold settings;
    return FormatShortDate(settings->record, settings->shortPlan, year, month, day, out);
}

inline char *ShortDate(uint16_t year, uint16_t month, uint16_t day, char *out) {
    if (out == nullptr)
        return nullptr;
    if (const Settings *settings = SettingsNamedByThread()) [[likely]]
        return FormatShortDate(settings->record, settings->shortPlan, year, month, day, out);
    return ShortDateInFull(year, month, day, out);
}

[[gnu::noinline]] char *LongDateInFull(const KALDER_TM &date, char *out) {
    const SettingsHold settings;
    return FormatLongDate(settings->longDate, date, out);
}

[[gnu::noinline]] char TimeSeparatorInFull() {
    const SettingsHold settings;
    return settings->record.sTime[0];
}

inline char TimeSeparator() {
    if (const Settings *settings = SettingsNamedByThread()) [[likely]]
        return settings->record.sTime[0];
    return TimeSeparatorInFull();
}

// Any text read in full, and its warning shown once the settings are let go.
[[gnu::noinline]] int32_t ParseDateInFull(DosDate *date, const char *text) {
    Warning found;
    {
        const SettingsHold settings;
        found = ParseShortDate(settings->record, settings->dateDelimiters, date, text);
    }
    return ShowWarningIfAny(found);
}

[[gnu::noinline]] int32_t ParseTimeInFull(int32_t *hour, int32_t *minute, const char *text) {
    Warning found;
    {
        const SettingsHold settings;
        found = ParseHourMinute(settings->timeDelimiters, hour, minute, text);
    }
    return ShowWarningIfAny(found);
}

// A good date or time typed as short numbers (see ReadDateOfShortNumbers,
// ReadTimeOfShortNumbers) is read straight; any other text, and any text
// under a separator with digits, in full.
inline int32_t ParseDate(DosDate *date, const char *text) {
    const Settings *settings = SettingsNamedByThread();
    if (settings != nullptr && settings->dateDelimiters.plainDigits &&
        ReadDateOfShortNumbers(settings->record.iShortOrder, settings->record.sDate[0], date, text))
        [[likely]] {
        date_words::SetFebruaryForWord(date->year);
        return 0;
    }
    return ParseDateInFull(date, text);
}

inline int32_t ParseTime(int32_t *hour, int32_t *minute, const char *text) {
    const Settings *settings = SettingsNamedByThread();
    if (settings != nullptr && settings->timeDelimiters.plainDigits &&
        ReadTimeOfShortNumbers(settings->record.sTime[0], hour, minute, text)) [[likely]]
        return 0;
    return ParseTimeInFull(hour, minute, text);
}

} // namespace

// --- The settings ----------------------------------------------------------

extern "C" void KALDERAPI GetWinDateFormat(void) {
    if (RefreshSettings() == ReadingNotice::UnsupportedVersion)
        ShowWarning(plat::GetFocus(), kStrUnsupportedVersion);
}

extern "C" char KALDERAPI GetTimeSep(void) { return TimeSeparator(); }

// A negative length copies nothing and a length past the record copies the
// whole record, so the copy never reads beyond it.
extern "C" void *KALDERAPI CopyWinDateStruc(void *dest, int32_t length) {
    if (dest == nullptr || length <= 0)
        return dest;
    const SettingsHold settings;
    size_t n = static_cast<size_t>(length);
    if (n > sizeof settings->record)
        n = sizeof settings->record;
    std::memmove(dest, &settings->record, n);
    return dest;
}

// --- Formatting ------------------------------------------------------------

extern "C" char *KALDERAPI FillDosDateFormatString(const DosDate *date, char *out) {
    return ShortDate(date->year, date->month, date->day, out);
}

extern "C" char *KALDERAPI FillDateFormatString(KALDER_TM date, char *out) {
    return ShortDate(DateWord(date.tm_year, 1900u), DateWord(date.tm_mon, 1u),
                     DateWord(date.tm_mday, 0u), out);
}

extern "C" char *KALDERAPI FillLongDateFormatString(KALDER_TM date, char *out) {
    if (const Settings *settings = SettingsNamedByThread()) [[likely]]
        return FormatLongDate(settings->longDate, date, out);
    return LongDateInFull(date, out);
}

extern "C" char *KALDERAPI FillTimeHrMin(int32_t hour, int32_t minute, char *out) {
    return FormatTime(TimeSeparator(), hour, minute, out);
}

extern "C" char *KALDERAPI Fill3StrTimeHrMin(int32_t hour, int32_t minute, char *hourOut,
                                             char *sepOut, char *minuteOut) {
    return FormatTimeParts(TimeSeparator(), hour, minute, hourOut, sepOut, minuteOut);
}

extern "C" char *KALDERAPI FillTimeFormatString(KALDER_TIME t, char *out) {
    int32_t hour = 0;
    int32_t minute = 0;
    UtcHourMinute(t, &hour, &minute);
    return FormatTime(TimeSeparator(), hour, minute, out);
}

extern "C" char *KALDERAPI FillTimeFormat3Strings(KALDER_TIME t, char *hourOut, char *sepOut,
                                                  char *minuteOut) {
    int32_t hour = 0;
    int32_t minute = 0;
    UtcHourMinute(t, &hour, &minute);
    return FormatTimeParts(TimeSeparator(), hour, minute, hourOut, sepOut, minuteOut);
}

// --- Parsing ---------------------------------------------------------------

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
    if (ShowWarningIfAny(CheckHourMinute(&hour, &minute)) != 0)
        return -1;
    return StoreTimeOfDay(t, hour, minute);
}

extern "C" int32_t KALDERAPI checkhrmin(int32_t *hour, int32_t *minute) {
    return ShowWarningIfAny(CheckHourMinute(hour, minute));
}

extern "C" int32_t KALDERAPI atoi_NullCheck(const char *text) { return ReadTypedNumber(text); }

// --- The calendar ----------------------------------------------------------

extern "C" int32_t KALDERAPI DosdToJulian(const DosDate *date, int32_t *dayNumber) {
    const int32_t n = DayNumberOfDate(*date);
    if (dayNumber != nullptr)
        *dayNumber = n;
    return n;
}

extern "C" int32_t KALDERAPI JulianToDosd(int32_t dayNumber, DosDate *date) {
    return StoreDateOfDayNumber(dayNumber, date);
}

extern "C" int32_t KALDERAPI SetTmJulian(KALDER_TM *date) { return SetDayOfYear(date); }

extern "C" int32_t KALDERAPI CorrectLeap(const DosDate *date) {
    return date_words::SetFebruaryForWord(date->year);
}

extern "C" int32_t KALDERAPI CorrectLeapFromYear(int32_t year) {
    return SetFebruaryFor(static_cast<int16_t>(static_cast<uint16_t>(year)));
}

extern "C" int32_t KALDERAPI Days_in_Month(int32_t month) { return DaysInMonthOfTable(month); }

extern "C" KALDER_TIME KALDERAPI CalcDateSeconds(const KALDER_TM *date) {
    return SecondsSince1970(*date);
}
