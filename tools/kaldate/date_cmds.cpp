// kaldate short, long, day, date-of-day and parse-date.
#include <cstdint>

#include "clock.h"
#include "kaldate.h"
#include "output.h"
#include "values.h"

namespace kaldate {
namespace {

// The command's one date, today when none is given.
bool ReadOneDate(const Options &options, const char *command, CalendarDate &date, int &status) {
    if (options.args.empty()) {
        date = LocalNow().date;
        return true;
    }
    const std::string &text = options.args[0];
    if (options.args.size() != 1)
        status =
            UsageError(std::string(command) + " takes one date, YYYY-MM-DD, or none for today");
    else if (text.rfind("--", 0) == 0)
        status = UsageError(std::string(command) + " has no option " + Shown(text));
    else if (Reading reading = ReadIsoDate(text, date); reading != Reading::kOk)
        status = UsageError(Complaint(reading, text, "date", "YYYY-MM-DD"));
    else
        return true;
    return false;
}

// The text of a format call, or false with status set to the exit status
// after the library's message.
bool FormatDate(KalderFormatDateFn format, const CalendarDate &date, std::string &text,
                int &status) {
    char out[256] = {};
    const int length = format(Settings(), date.year, date.month, date.day, out, sizeof out);
    if (length < 0) {
        status = Refused(length, 0);
        return false;
    }
    text = out;
    return true;
}

int RunDateFormat(const Options &options, const char *command, const char *key,
                  KalderFormatDateFn format) {
    CalendarDate date;
    std::string text;
    int status = kExitOk;
    if (!ReadOneDate(options, command, date, status) || !FormatDate(format, date, text, status))
        return status;
    if (options.json)
        PrintJson(
            JsonObject().Str("date", IsoDate(date.year, date.month, date.day)).Str(key, text));
    else
        PrintLine(text);
    return kExitOk;
}

} // namespace

int RunShort(const Options &options) {
    return RunDateFormat(options, "short", "short", KalderFormatShortDate);
}

int RunLong(const Options &options) {
    return RunDateFormat(options, "long", "long", KalderFormatLongDate);
}

int RunDay(const Options &options) {
    CalendarDate date;
    int status = kExitOk;
    if (!ReadOneDate(options, "day", date, status))
        return status;
    const int32_t dayNumber = KalderDayOfYear(date.year, date.month, date.day);
    const int weekday = WithWeekday(date).weekday;
    const std::string name = DayName(weekday);
    if (options.json) {
        PrintJson(JsonObject()
                      .Str("date", IsoDate(date.year, date.month, date.day))
                      .Int("day", dayNumber)
                      .Int("weekday", weekday)
                      .Str("weekdayName", name));
    } else {
        PrintLine("day " + std::to_string(dayNumber) + ", weekday " + std::to_string(weekday) +
                  " (" + name + ")");
    }
    return kExitOk;
}

int RunDateOfDay(const Options &options) {
    if (options.args.size() != 2)
        return UsageError("date-of-day takes a day number and a year");
    int64_t year = 0;
    int64_t dayNumber = 0;
    if (!ReadInteger(options.args[1], 1, 9999, year))
        return UsageError("not a year from 1 to 9999: " + Shown(options.args[1]));
    if (!ReadInteger(options.args[0], INT32_MIN, INT32_MAX, dayNumber))
        return UsageError("not a day number: " + Shown(options.args[0]));
    KalderDate date{};
    if (KalderDateOfDay(static_cast<int32_t>(year), static_cast<int32_t>(dayNumber), &date) !=
        KALDER_OK)
        return UsageError("day " + Shown(options.args[0]) + " of " + Shown(options.args[1]) +
                          " falls outside the years 1 to 9999");
    const std::string iso = IsoDate(date.year, date.month, date.day);
    const std::string name = DayName(date.weekday);
    if (options.json) {
        PrintJson(JsonObject()
                      .Int("day", dayNumber)
                      .Int("year", year)
                      .Str("date", iso)
                      .Int("weekday", date.weekday)
                      .Str("weekdayName", name));
    } else {
        PrintLine(iso + ", weekday " + std::to_string(date.weekday) + " (" + name + ")");
    }
    return kExitOk;
}

namespace {

int ParseOneDate(const Options &options, const std::string &text) {
    KalderDate date{};
    int32_t refused = 0;
    if (const KalderStatus status =
            KalderParseDate(Settings(), text.data(), text.size(), &date, &refused))
        return Refused(status, refused);
    const std::string iso = IsoDate(date.year, date.month, date.day);
    if (options.json)
        PrintJson(JsonObject().Str("text", text).Str("date", iso));
    else
        PrintLine(iso);
    return kExitOk;
}

} // namespace

int RunParseDate(const Options &options) {
    if (options.args.size() != 1)
        return UsageError("parse-date takes one text, or - for one a line of standard input");
    if (options.args[0] == "-")
        return EachInputLine([&](const std::string &text) { return ParseOneDate(options, text); });
    return ParseOneDate(options, options.args[0]);
}

int RunNow(const Options &options) {
    const LocalTime now = LocalNow();
    char date[256] = {};
    char time[64] = {};
    KalderFormatLongDate(Settings(), now.date.year, now.date.month, now.date.day, date,
                         sizeof date);
    KalderFormatTime(Settings(), now.hour, now.minute, time, sizeof time);
    if (options.json)
        PrintJson(JsonObject()
                      .Str("date", IsoDate(now.date.year, now.date.month, now.date.day))
                      .Str("long", date)
                      .Str("time", time));
    else
        PrintLine(std::string(date) + " " + time);
    return kExitOk;
}

} // namespace kaldate
