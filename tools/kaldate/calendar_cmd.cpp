// kaldate calendar: a month, or a whole year three months across, laid out
// in weeks with the names of the language in use. Weeks start on
// Monday in German, French and Spanish, on Sunday in English. Today, when
// it is shown, stands in brackets: [15].
#include <algorithm>

#include "clock.h"
#include "encoding.h"
#include "kaldate.h"
#include "output.h"
#include "values.h"

namespace kaldate {
namespace {

using Week = std::vector<int>; // seven cells from the first weekday; 0 is outside the month

struct Month {
    int number = 0;
    std::string name;
    std::vector<Week> weeks;
    int today = 0; // today's day of the month, 0 when today is in another month
};

constexpr size_t kMonthsAcross = 3;
constexpr size_t kYearCell = 2; // a year's day heads are cut to two letters to fit 80 columns

int FirstWeekday() {
    const std::string language = Language();
    return language == "de" || language == "fr" || language == "es" ? 1 : 0;
}

std::vector<Week> MonthWeeks(int year, int month, int first) {
    const int weekday = WithWeekday(CalendarDate{year, month, 1}).weekday;
    const int length = KalderDaysInMonth(year, month);
    std::vector<Week> weeks;
    Week week(static_cast<size_t>((weekday - first + 7) % 7), 0);
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

Month MakeMonth(int year, int number, int first) {
    const CalendarDate today = LocalNow().date;
    return Month{number, MonthName(number), MonthWeeks(year, number, first),
                 today.year == year && today.month == number ? today.day : 0};
}

std::vector<std::string> DayHeads(int first) {
    std::vector<std::string> heads;
    for (int i = 0; i < 7; ++i)
        heads.push_back(DayAbbrev((first + i) % 7));
    return heads;
}

// Widths count characters: a name in UTF-8 may take more bytes than columns.
std::string PadLeft(const std::string &text, size_t width) {
    const size_t used = CharacterCount(text);
    return used >= width ? text : std::string(width - used, ' ') + text;
}

std::string PadRight(const std::string &text, size_t width) {
    const size_t used = CharacterCount(text);
    return used >= width ? text : text + std::string(width - used, ' ');
}

std::string Centred(const std::string &text, size_t width) {
    const size_t used = CharacterCount(text);
    return std::string(used < width ? (width - used) / 2 : 0, ' ') + text;
}

std::string TrimRight(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// The lines of one month's grid, all of one width: a blank column, then the
// title, the day heads (cut to the cell) and the weeks in cells one column
// apart, then a blank column. Today's brackets take the blank columns on
// either side of its number.
std::vector<std::string> GridLines(const std::string &title, const std::vector<std::string> &heads,
                                   const Month &month, size_t cell) {
    const size_t content = 7 * cell + 6;
    const size_t width = content + 2;
    std::vector<std::string> lines{PadRight(" " + Centred(title, content), width)};
    std::string line = " ";
    for (size_t i = 0; i < heads.size(); ++i)
        line += (i ? " " : "") + PadLeft(FirstCharacters(heads[i], cell), cell);
    lines.push_back(PadRight(line, width));
    for (const Week &week : month.weeks) {
        line = " ";
        size_t close = 0;
        for (size_t i = 0; i < week.size(); ++i) {
            const std::string number = week[i] ? std::to_string(week[i]) : "";
            line += (i ? " " : "") + PadLeft(number, cell);
            if (week[i] && week[i] == month.today) {
                line[line.size() - number.size() - 1] = '[';
                close = line.size();
            }
        }
        line = PadRight(line, width);
        if (close)
            line[close] = ']';
        lines.push_back(line);
    }
    return lines;
}

// A month alone in cells as wide as its day heads and at least three, so
// that the blank column before the grid is never needed for a bracket.
void PrintMonth(int year, const Month &month, const std::vector<std::string> &heads) {
    size_t cell = 3;
    for (const std::string &head : heads)
        cell = std::max(cell, CharacterCount(head));
    for (const std::string &line :
         GridLines(month.name + " " + std::to_string(year), heads, month, cell))
        PrintLine(TrimRight(line.substr(1)));
}

// Rows of three grids side by side under the year, a blank line between
// rows; a grid shorter than its neighbours is filled out with blank lines.
// The blank columns of neighbouring grids keep them two columns apart.
void PrintYear(int year, const std::vector<Month> &months, const std::vector<std::string> &heads) {
    std::vector<std::vector<std::string>> grids;
    for (const Month &month : months)
        grids.push_back(GridLines(month.name, heads, month, kYearCell));
    const size_t width = CharacterCount(grids[0][0]);
    PrintLine(Centred(std::to_string(year), kMonthsAcross * width));
    for (size_t first = 0; first < grids.size(); first += kMonthsAcross) {
        PrintLine("");
        size_t height = 0;
        for (size_t i = first; i < first + kMonthsAcross; ++i)
            height = std::max(height, grids[i].size());
        for (size_t row = 0; row < height; ++row) {
            std::string line;
            for (size_t i = first; i < first + kMonthsAcross; ++i)
                line += row < grids[i].size() ? grids[i][row] : std::string(width, ' ');
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

std::string TodayJson(const Month &month) {
    return month.today ? std::to_string(month.today) : "null";
}

int ShowMonth(const Options &options, int year, int number) {
    const int first = FirstWeekday();
    const Month month = MakeMonth(year, number, first);
    const std::vector<std::string> heads = DayHeads(first);
    if (!options.json) {
        PrintMonth(year, month, heads);
        return kExitOk;
    }
    PrintJson(JsonObject()
                  .Int("year", year)
                  .Int("month", number)
                  .Str("monthName", month.name)
                  .Raw("dayAbbrevs", HeadsJson(heads))
                  .Raw("weeks", WeeksJson(month.weeks))
                  .Raw("today", TodayJson(month)));
    return kExitOk;
}

int ShowYear(const Options &options, int year) {
    const int first = FirstWeekday();
    std::vector<Month> months;
    for (int number = 1; number <= 12; ++number)
        months.push_back(MakeMonth(year, number, first));
    const std::vector<std::string> heads = DayHeads(first);
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
                                .Raw("today", TodayJson(month))
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
