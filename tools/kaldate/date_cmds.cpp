// kaldate short, long, day, date-of-day and parse-date.
#include <cstdint>
#include <cstring>

#include "clock.h"
#include "kaldate.h"
#include "output.h"
#include "values.h"

namespace kaldate {
namespace {

KALDER_TM ToTm(const CalendarDate &date) {
    KALDER_TM tm;
    std::memset(&tm, 0, sizeof tm);
    tm.tm_year = date.year - 1900;
    tm.tm_mon = date.month - 1;
    tm.tm_mday = date.day;
    tm.tm_wday = WithWeekday(date).dayOfWeek;
    SetTmJulian(&tm);
    return tm;
}

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

int PrintDateResult(const Options &options, const CalendarDate &date, const char *key,
                    const std::string &text) {
    ReportWarnings();
    if (options.json)
        PrintJson(
            JsonObject().Str("date", IsoDate(date.year, date.month, date.day)).Str(key, text));
    else
        PrintLine(text);
    return kExitOk;
}

// The date of a day number counted from 1 January of dos.year, as
// JulianToDosd stores it, when it lies in the years 1 to 9999. The stored
// year is 16 bits wide: a day number beyond ten thousand years of days could
// wrap back into that range, so it is not asked.
bool DateOfDayInRange(int32_t dayNumber, DosDate &dos) {
    constexpr int32_t kDaysInTenThousandYears = 3652425;
    if (dayNumber < -kDaysInTenThousandYears || dayNumber > kDaysInTenThousandYears)
        return false;
    JulianToDosd(dayNumber, &dos);
    return dos.year >= 1 && dos.year <= 9999;
}

// The short form without the century takes 1900 off the 16-bit year and
// then one more century at most: only the years 1900 to 2099 come out as
// their last two digits. Empty when the settings show the year, else why not.
std::string ShortYearProblem(int year) {
    WINDATESTRUC record{};
    CopyWinDateStruc(&record, sizeof record);
    if (record.bFullYear || (year >= 1900 && year <= 2099))
        return "";
    return "the short form shows the year in two digits, which it counts from 1900: "
           "only the years 1900 to 2099 show truly, not " +
           std::to_string(year);
}

} // namespace

int RunShort(const Options &options) {
    CalendarDate date;
    int status = kExitOk;
    if (!ReadOneDate(options, "short", date, status))
        return status;
    if (std::string problem = ShortYearProblem(date.year); !problem.empty()) {
        ReportWarnings();
        return Failure(problem);
    }
    DosDate dos = WithWeekday(date);
    char out[64] = {};
    FillDosDateFormatString(&dos, out);
    return PrintDateResult(options, date, "short", out);
}

int RunLong(const Options &options) {
    CalendarDate date;
    int status = kExitOk;
    if (!ReadOneDate(options, "long", date, status))
        return status;
    char out[64] = {};
    FillLongDateFormatString(ToTm(date), out);
    return PrintDateResult(options, date, "long", out);
}

int RunDay(const Options &options) {
    CalendarDate date;
    int status = kExitOk;
    if (!ReadOneDate(options, "day", date, status))
        return status;
    DosDate dos = WithWeekday(date);
    int32_t dayNumber = 0;
    DosdToJulian(&dos, &dayNumber);
    ReportWarnings();
    std::string name = sys::DayName(dos.dayOfWeek);
    if (options.json) {
        PrintJson(JsonObject()
                      .Str("date", IsoDate(date.year, date.month, date.day))
                      .Int("day", dayNumber)
                      .Int("weekday", dos.dayOfWeek)
                      .Str("weekdayName", name));
    } else {
        PrintLine("day " + std::to_string(dayNumber) + ", weekday " +
                  std::to_string(dos.dayOfWeek) + " (" + name + ")");
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
    DosDate dos{static_cast<uint16_t>(year), 0, 0, 0};
    if (!DateOfDayInRange(static_cast<int32_t>(dayNumber), dos))
        return UsageError("day " + Shown(options.args[0]) + " of " + Shown(options.args[1]) +
                          " falls outside the years 1 to 9999");
    ReportWarnings();
    std::string iso = IsoDate(dos.year, dos.month, dos.day);
    std::string name = sys::DayName(dos.dayOfWeek);
    if (options.json) {
        PrintJson(JsonObject()
                      .Int("day", dayNumber)
                      .Int("year", year)
                      .Str("date", iso)
                      .Int("weekday", dos.dayOfWeek)
                      .Str("weekdayName", name));
    } else {
        PrintLine(iso + ", weekday " + std::to_string(dos.dayOfWeek) + " (" + name + ")");
    }
    return kExitOk;
}

namespace {

int ParseOneDate(const Options &options, const std::string &text) {
    DosDate dos{};
    if (ParseDosDateFormatString(&dos, text.c_str()) != 0)
        return Refused();
    ReportWarnings();
    std::string iso = IsoDate(dos.year, dos.month, dos.day);
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
    char date[64] = {};
    char time[64] = {};
    FillLongDateFormatString(ToTm(now.date), date);
    FillTimeHrMin(now.hour, now.minute, time);
    ReportWarnings();
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
