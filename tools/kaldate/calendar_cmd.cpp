// kaldate calendar: a month, or a whole year three months across, laid out
// in weeks from Sunday with the names of the resource module in use.
#include <algorithm>

#include "clock.h"
#include "kaldate.h"
#include "output.h"
#include "values.h"

namespace kaldate {
namespace {

using Week = std::vector<int>; // seven cells, Sunday first; 0 is outside the month

struct Month {
    int number = 0;
    std::string name;
    std::vector<Week> weeks;
};

constexpr size_t kMonthsAcross = 3;
constexpr size_t kGapBetweenMonths = 2;

std::vector<Week> MonthWeeks(int year, int month) {
    const int weekday = WithWeekday(CalendarDate{year, month, 1}).dayOfWeek;
    CorrectLeapFromYear(year);
    const int length = Days_in_Month(month);
    std::vector<Week> weeks;
    Week week(static_cast<size_t>(weekday), 0);
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

Month MakeMonth(int year, int number) {
    return Month{number, sys::MonthName(number - 1), MonthWeeks(year, number)};
}

std::vector<std::string> DayHeads() {
    std::vector<std::string> heads;
    for (int weekday = 0; weekday < 7; ++weekday)
        heads.push_back(sys::DayAbbrev(weekday));
    return heads;
}

std::string PadLeft(const std::string &text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string PadRight(const std::string &text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string Centred(const std::string &text, size_t width) {
    return std::string(text.size() < width ? (width - text.size()) / 2 : 0, ' ') + text;
}

std::string TrimRight(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// The lines of one month's grid, each of the grid's full width: the title,
// the day heads, the weeks.
std::vector<std::string> GridLines(const std::string &title, const std::vector<std::string> &heads,
                                   const std::vector<Week> &weeks) {
    size_t cell = 2;
    for (const std::string &head : heads)
        cell = std::max(cell, head.size());
    const size_t width = 7 * cell + 6;
    std::vector<std::string> lines{PadRight(Centred(title, width), width)};
    std::string line;
    for (size_t i = 0; i < heads.size(); ++i)
        line += (i ? " " : "") + PadLeft(heads[i], cell);
    lines.push_back(line);
    for (const Week &week : weeks) {
        line.clear();
        for (size_t i = 0; i < week.size(); ++i)
            line += (i ? " " : "") + PadLeft(week[i] ? std::to_string(week[i]) : "", cell);
        lines.push_back(line);
    }
    return lines;
}

void PrintMonth(int year, const Month &month, const std::vector<std::string> &heads) {
    for (const std::string &line :
         GridLines(month.name + " " + std::to_string(year), heads, month.weeks))
        PrintLine(TrimRight(line));
}

// Rows of three grids side by side under the year, a blank line between
// rows; a grid shorter than its neighbours is filled out with blank lines.
void PrintYear(int year, const std::vector<Month> &months, const std::vector<std::string> &heads) {
    std::vector<std::vector<std::string>> grids;
    for (const Month &month : months)
        grids.push_back(GridLines(month.name, heads, month.weeks));
    const size_t width = grids[0][0].size();
    const std::string gap(kGapBetweenMonths, ' ');
    PrintLine(Centred(std::to_string(year), kMonthsAcross * width + 2 * kGapBetweenMonths));
    for (size_t first = 0; first < grids.size(); first += kMonthsAcross) {
        PrintLine("");
        size_t height = 0;
        for (size_t i = first; i < first + kMonthsAcross; ++i)
            height = std::max(height, grids[i].size());
        for (size_t row = 0; row < height; ++row) {
            std::string line;
            for (size_t i = first; i < first + kMonthsAcross; ++i)
                line += (i > first ? gap : "") +
                        (row < grids[i].size() ? grids[i][row] : std::string(width, ' '));
            PrintLine(TrimRight(line));
        }
    }
}

std::string WeeksJson(const std::vector<Week> &weeks) {
    std::vector<std::string> weekJson;
    for (const Week &week : weeks) {
        std::vector<std::string> cells;
        for (int day : week)
            cells.push_back(day ? std::to_string(day) : "null");
        weekJson.push_back(JsonArray(cells));
    }
    return JsonArray(weekJson);
}

std::string HeadsJson(const std::vector<std::string> &heads) {
    std::vector<std::string> headJson;
    for (const std::string &head : heads)
        headJson.push_back(JsonString(head));
    return JsonArray(headJson);
}

int ShowMonth(const Options &options, int year, int number) {
    const Month month = MakeMonth(year, number);
    const std::vector<std::string> heads = DayHeads();
    ReportWarnings();
    if (!options.json) {
        PrintMonth(year, month, heads);
        return kExitOk;
    }
    PrintJson(JsonObject()
                  .Int("year", year)
                  .Int("month", number)
                  .Str("monthName", month.name)
                  .Raw("dayAbbrevs", HeadsJson(heads))
                  .Raw("weeks", WeeksJson(month.weeks)));
    return kExitOk;
}

int ShowYear(const Options &options, int year) {
    std::vector<Month> months;
    for (int number = 1; number <= 12; ++number)
        months.push_back(MakeMonth(year, number));
    const std::vector<std::string> heads = DayHeads();
    ReportWarnings();
    if (!options.json) {
        PrintYear(year, months, heads);
        return kExitOk;
    }
    std::vector<std::string> monthJson;
    for (const Month &month : months)
        monthJson.push_back(JsonObject()
                                .Int("month", month.number)
                                .Str("monthName", month.name)
                                .Raw("weeks", WeeksJson(month.weeks))
                                .Text());
    PrintJson(JsonObject()
                  .Int("year", year)
                  .Raw("dayAbbrevs", HeadsJson(heads))
                  .Raw("months", JsonArray(monthJson)));
    return kExitOk;
}

} // namespace

int RunCalendar(const Options &options) {
    if (options.args.empty()) {
        const CalendarDate today = LocalNow().date;
        return ShowMonth(options, today.year, today.month);
    }
    if (options.args.size() != 1)
        return UsageError("calendar takes a month, YYYY-MM, a year, YYYY, or nothing");
    const std::string &text = options.args[0];
    int year = 0;
    int month = 0;
    if (text.size() == 4) {
        if (Reading reading = ReadIsoYear(text, year); reading != Reading::kOk)
            return UsageError(Complaint(reading, text, "year", "YYYY"));
        return ShowYear(options, year);
    }
    if (Reading reading = ReadIsoMonth(text, year, month); reading != Reading::kOk)
        return UsageError(Complaint(reading, text, "month", "YYYY-MM"));
    return ShowMonth(options, year, month);
}

} // namespace kaldate
