// kaldate short, long, day, date-of-day, parse-date and calendar.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "kaldate.h"
#include "output.h"
#include "values.h"

namespace kaldate {
namespace {

// The weekday of a date as the library's calendar gives it: the day number
// from DosdToJulian, then JulianToDosd back with the weekday filled in.
DosDate WithWeekday(const CalendarDate &date) {
    DosDate dos{static_cast<uint16_t>(date.year), static_cast<uint16_t>(date.month), 0,
                static_cast<uint16_t>(date.day)};
    int32_t dayNumber = 0;
    DosdToJulian(&dos, &dayNumber);
    DosDate back = dos;
    JulianToDosd(dayNumber, &back);
    dos.dayOfWeek = back.dayOfWeek;
    return dos;
}

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

bool ReadOneDate(const Options &options, const char *command, CalendarDate &date, int &status) {
    const std::string text = options.args.empty() ? "" : options.args[0];
    if (options.args.size() != 1)
        status = UsageError(std::string(command) + " takes one date, YYYY-MM-DD");
    else if (text.rfind("--", 0) == 0)
        status = UsageError(std::string(command) + " has no option " + text);
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
        PrintLine(JsonObject()
                      .Str("date", IsoDate(date.year, date.month, date.day))
                      .Str(key, text)
                      .Text());
    else
        PrintLine(text);
    return kExitOk;
}

int DaysInYear(int year) { return 337 + CorrectLeapFromYear(year); }

} // namespace

int RunShort(const Options &options) {
    CalendarDate date;
    int status = kExitOk;
    if (!ReadOneDate(options, "short", date, status))
        return status;
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
        PrintLine(JsonObject()
                      .Str("date", IsoDate(date.year, date.month, date.day))
                      .Int("day", dayNumber)
                      .Int("weekday", dos.dayOfWeek)
                      .Str("weekdayName", name)
                      .Text());
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
        return UsageError("not a year from 1 to 9999: " + options.args[1]);
    int length = DaysInYear(static_cast<int>(year));
    if (!ReadInteger(options.args[0], 1, length, dayNumber))
        return UsageError("not a day number from 1 to " + std::to_string(length) + ": " +
                          options.args[0]);
    DosDate dos{static_cast<uint16_t>(year), 0, 0, 0};
    JulianToDosd(static_cast<int32_t>(dayNumber), &dos);
    ReportWarnings();
    std::string iso = IsoDate(dos.year, dos.month, dos.day);
    std::string name = sys::DayName(dos.dayOfWeek);
    if (options.json) {
        PrintLine(JsonObject()
                      .Int("day", dayNumber)
                      .Int("year", year)
                      .Str("date", iso)
                      .Int("weekday", dos.dayOfWeek)
                      .Str("weekdayName", name)
                      .Text());
    } else {
        PrintLine(iso + ", weekday " + std::to_string(dos.dayOfWeek) + " (" + name + ")");
    }
    return kExitOk;
}

int RunParseDate(const Options &options) {
    if (options.args.size() != 1)
        return UsageError("parse-date takes one text");
    const std::string &text = options.args[0];
    DosDate dos{};
    if (ParseDosDateFormatString(&dos, text.c_str()) != 0)
        return Refused();
    ReportWarnings();
    std::string iso = IsoDate(dos.year, dos.month, dos.day);
    if (options.json)
        PrintLine(JsonObject().Str("text", text).Str("date", iso).Text());
    else
        PrintLine(iso);
    return kExitOk;
}

namespace {

// Rows of seven cells, Sunday first; 0 marks a cell outside the month.
std::vector<std::vector<int>> MonthGrid(int year, int month) {
    CalendarDate first{year, month, 1};
    int weekday = WithWeekday(first).dayOfWeek;
    CorrectLeapFromYear(year);
    int length = Days_in_Month(month);
    std::vector<std::vector<int>> weeks;
    std::vector<int> week(static_cast<size_t>(weekday), 0);
    for (int day = 1; day <= length; ++day) {
        week.push_back(day);
        if (week.size() == 7) {
            weeks.push_back(week);
            week.clear();
        }
    }
    if (!week.empty()) {
        week.resize(7, 0);
        weeks.push_back(week);
    }
    return weeks;
}

std::string PadLeft(const std::string &text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

void PrintGrid(const std::string &title, const std::vector<std::string> &heads,
               const std::vector<std::vector<int>> &weeks) {
    size_t width = 2;
    for (const std::string &head : heads)
        width = std::max(width, head.size());
    size_t lineWidth = 7 * width + 6;
    size_t indent = title.size() < lineWidth ? (lineWidth - title.size()) / 2 : 0;
    PrintLine(std::string(indent, ' ') + title);
    std::string line;
    for (size_t i = 0; i < heads.size(); ++i)
        line += (i ? " " : "") + PadLeft(heads[i], width);
    PrintLine(line);
    for (const std::vector<int> &week : weeks) {
        line.clear();
        for (size_t i = 0; i < week.size(); ++i)
            line += (i ? " " : "") + PadLeft(week[i] ? std::to_string(week[i]) : "", width);
        line.erase(line.find_last_not_of(' ') + 1);
        PrintLine(line);
    }
}

} // namespace

int RunCalendar(const Options &options) {
    if (options.args.size() != 1)
        return UsageError("calendar takes one month, YYYY-MM");
    int year = 0;
    int month = 0;
    if (Reading reading = ReadIsoMonth(options.args[0], year, month); reading != Reading::kOk)
        return UsageError(Complaint(reading, options.args[0], "month", "YYYY-MM"));
    std::vector<std::vector<int>> weeks = MonthGrid(year, month);
    std::vector<std::string> heads;
    for (int weekday = 0; weekday < 7; ++weekday)
        heads.push_back(sys::DayAbbrev(weekday));
    std::string monthName = sys::MonthName(month - 1);
    ReportWarnings();
    if (!options.json) {
        PrintGrid(monthName + " " + std::to_string(year), heads, weeks);
        return kExitOk;
    }
    std::vector<std::string> headJson;
    for (const std::string &head : heads)
        headJson.push_back(JsonString(head));
    std::vector<std::string> weekJson;
    for (const std::vector<int> &week : weeks) {
        std::vector<std::string> cells;
        for (int day : week)
            cells.push_back(day ? std::to_string(day) : "null");
        weekJson.push_back(JsonArray(cells));
    }
    PrintLine(JsonObject()
                  .Int("year", year)
                  .Int("month", month)
                  .Str("monthName", monthName)
                  .Raw("dayAbbrevs", JsonArray(headJson))
                  .Raw("weeks", JsonArray(weekJson))
                  .Text());
    return kExitOk;
}

} // namespace kaldate
