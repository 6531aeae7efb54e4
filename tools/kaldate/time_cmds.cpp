// kaldate time and parse-time.
#include <cstdio>
#include <cstring>

#include "clock.h"
#include "kaldate.h"
#include "output.h"
#include "values.h"

namespace kaldate {
namespace {

constexpr int32_t kSecondsPerDay = 86400;
constexpr int64_t kLatestTime = 2147483647;

std::string TwoDigits(int value) {
    char out[16];
    std::snprintf(out, sizeof out, "%02d", value);
    return out;
}

// Midnight (UTC) that starts a date, as the library counts seconds.
bool MidnightOf(const CalendarDate &date, KALDER_TIME &midnight) {
    if (date.year < 1970 || date.year > 2038)
        return false;
    KALDER_TM tm;
    std::memset(&tm, 0, sizeof tm);
    tm.tm_year = date.year - 1900;
    tm.tm_mon = date.month - 1;
    tm.tm_mday = date.day;
    SetTmJulian(&tm);
    midnight = CalcDateSeconds(&tm);
    // Past 2038-01-19 the count no longer fits 32 bits and wraps negative.
    return midnight >= 0 && static_cast<int64_t>(midnight) + kSecondsPerDay - 1 <= kLatestTime;
}

// The date that lies days after date, through the library's day numbers.
CalendarDate DaysLater(const CalendarDate &date, int days) {
    DosDate dos{static_cast<uint16_t>(date.year), static_cast<uint16_t>(date.month), 0,
                static_cast<uint16_t>(date.day)};
    int32_t dayNumber = 0;
    DosdToJulian(&dos, &dayNumber);
    JulianToDosd(dayNumber + days, &dos);
    return CalendarDate{dos.year, dos.month, dos.day};
}

int ParseTimeOn(const Options &options, const std::string &text, const std::string &dateText) {
    CalendarDate date;
    KALDER_TIME midnight = 0;
    if (Reading reading = ReadIsoDate(dateText, date); reading != Reading::kOk)
        return UsageError(Complaint(reading, dateText, "date", "YYYY-MM-DD"));
    if (!MidnightOf(date, midnight))
        return UsageError("--on takes a date from 1970-01-01 to 2038-01-18");
    KALDER_TIME value = midnight;
    if (ParseTimeFormatString(&value, text.c_str()) != 0)
        return Refused();
    ReportWarnings();
    int32_t sinceMidnight = value - midnight; // 0 .. 24:00
    CalendarDate day = DaysLater(date, sinceMidnight / kSecondsPerDay);
    int32_t secondOfDay = sinceMidnight % kSecondsPerDay;
    std::string iso = IsoDate(day.year, day.month, day.day) + "T" + TwoDigits(secondOfDay / 3600) +
                      ":" + TwoDigits(secondOfDay / 60 % 60) + ":" + TwoDigits(secondOfDay % 60) +
                      "Z";
    if (options.json)
        PrintJson(JsonObject()
                      .Str("text", text)
                      .Str("on", dateText)
                      .Int("epoch", value)
                      .Str("time", iso));
    else
        PrintLine(iso);
    return kExitOk;
}

int ParseOneTime(const Options &options, const std::string &text) {
    int32_t hour = 0;
    int32_t minute = 0;
    if (ParseTimeHrMin(&hour, &minute, text.c_str()) != 0)
        return Refused();
    ReportWarnings();
    std::string iso = TwoDigits(hour) + ":" + TwoDigits(minute);
    if (options.json)
        PrintJson(JsonObject()
                      .Str("text", text)
                      .Int("hour", hour)
                      .Int("minute", minute)
                      .Str("time", iso));
    else
        PrintLine(iso);
    return kExitOk;
}

} // namespace

int RunTime(const Options &options) {
    const std::vector<std::string> &args = options.args;
    char out[64] = {};
    std::string input;
    if (!args.empty() && args[0] == "--epoch") {
        int64_t epoch = 0;
        if (args.size() != 2)
            return UsageError("--epoch takes one number, seconds since 1970 from 0 to 2147483647");
        if (!ReadInteger(args[1], 0, kLatestTime, epoch))
            return UsageError("--epoch takes seconds since 1970 from 0 to 2147483647: " +
                              Shown(args[1]));
        FillTimeFormatString(static_cast<KALDER_TIME>(epoch), out);
        input = args[1];
    } else if (args.size() <= 1) {
        int32_t hour = 0;
        int32_t minute = 0;
        if (args.empty()) {
            const LocalTime now = LocalNow();
            hour = now.hour;
            minute = now.minute;
        } else if (!ReadHourMinute(args[0], hour, minute)) {
            return UsageError("not a time in the form HH:MM: " + Shown(args[0]));
        }
        // The formatter prints any numbers; the library's own check says
        // which are a time of day.
        if (checkhrmin(&hour, &minute) != 0)
            return Refused();
        FillTimeHrMin(hour, minute, out);
        input = args.empty() ? TwoDigits(hour) + ":" + TwoDigits(minute) : args[0];
    } else {
        return UsageError("time takes HH:MM, --epoch N, or nothing for now");
    }
    ReportWarnings();
    if (options.json)
        PrintJson(JsonObject().Str("input", input).Str("time", out));
    else
        PrintLine(out);
    return kExitOk;
}

int RunParseTime(const Options &options) {
    std::string text;
    std::string onDate;
    bool haveText = false;
    for (size_t i = 0; i < options.args.size(); ++i) {
        if (options.args[i] == "--on" && i + 1 < options.args.size() && onDate.empty()) {
            onDate = options.args[++i];
        } else if (!haveText) {
            text = options.args[i];
            haveText = true;
        } else {
            return UsageError("parse-time takes one text and, optionally, --on DATE");
        }
    }
    if (!haveText)
        return UsageError("parse-time takes one text and, optionally, --on DATE");
    const auto parse = [&](const std::string &one) {
        return onDate.empty() ? ParseOneTime(options, one) : ParseTimeOn(options, one, onDate);
    };
    return text == "-" ? EachInputLine(parse) : parse(text);
}

} // namespace kaldate
