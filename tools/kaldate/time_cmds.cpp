// kaldate time and parse-time.
#include <cstdio>

#include "clock.h"
#include "kaldate.h"
#include "output.h"
#include "values.h"

namespace kaldate {
namespace {

std::string TwoDigits(int value) {
    char out[16];
    std::snprintf(out, sizeof out, "%02d", value);
    return out;
}

// The seconds since 1970 of the first and the last minute of the years 1
// to 9999, which the library's calendar counts.
int64_t FirstSecond() {
    const KalderDate first{1, 1, 1, 0};
    return KalderSecondsOf(&first, 0, 0);
}

int64_t LastSecond() {
    const KalderDate last{9999, 12, 31, 0};
    return KalderSecondsOf(&last, 23, 59) + 59;
}

int ParseTimeOn(const Options &options, const std::string &text, const std::string &dateText) {
    CalendarDate date;
    if (Reading reading = ReadIsoDate(dateText, date); reading != Reading::kOk)
        return UsageError(Complaint(reading, dateText, "date", "YYYY-MM-DD"));
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t refused = 0;
    if (const KalderStatus status =
            KalderParseTime(Settings(), text.data(), text.size(), &hour, &minute, &refused))
        return Refused(status, refused);
    const KalderDate on{date.year, date.month, date.day, 0};
    const int64_t seconds = KalderSecondsOf(&on, hour, minute);
    KalderDate day{};
    if (KalderDateOfSeconds(seconds, &day, &hour, &minute) != KALDER_OK)
        return Failure("24:00 on " + dateText + " falls after the year 9999");
    const std::string iso = IsoDate(day.year, day.month, day.day) + "T" + TwoDigits(hour) + ":" +
                            TwoDigits(minute) + ":00Z";
    if (options.json)
        PrintJson(JsonObject()
                      .Str("text", text)
                      .Str("on", dateText)
                      .Int("epoch", seconds)
                      .Str("time", iso));
    else
        PrintLine(iso);
    return kExitOk;
}

int ParseOneTime(const Options &options, const std::string &text) {
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t refused = 0;
    if (const KalderStatus status =
            KalderParseTime(Settings(), text.data(), text.size(), &hour, &minute, &refused))
        return Refused(status, refused);
    const std::string iso = TwoDigits(hour) + ":" + TwoDigits(minute);
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

// The value a time the library refuses names in its message: the hour or
// the minute (an hour 24 with minutes names none).
int32_t RefusedValue(KalderStatus status, int32_t hour, int32_t minute) {
    return status == KALDER_BAD_HOUR ? hour : status == KALDER_BAD_MINUTE ? minute : 0;
}

} // namespace

int RunTime(const Options &options) {
    const std::vector<std::string> &args = options.args;
    char out[64] = {};
    std::string input;
    if (!args.empty() && args[0] == "--epoch") {
        int64_t epoch = 0;
        if (args.size() != 2)
            return UsageError("--epoch takes one number, seconds since 1970");
        if (!ReadInteger(args[1], FirstSecond(), LastSecond(), epoch))
            return UsageError("--epoch takes seconds since 1970 within the years 1 to 9999: " +
                              Shown(args[1]));
        if (const int length = KalderFormatTimeValue(Settings(), epoch, out, sizeof out);
            length < 0)
            return Refused(length, 0);
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
        // The library says which numbers are a time of day.
        if (const int length = KalderFormatTime(Settings(), hour, minute, out, sizeof out);
            length < 0)
            return Refused(length, RefusedValue(length, hour, minute));
        input = args.empty() ? TwoDigits(hour) + ":" + TwoDigits(minute) : args[0];
    } else {
        return UsageError("time takes HH:MM, --epoch N, or nothing for now");
    }
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
