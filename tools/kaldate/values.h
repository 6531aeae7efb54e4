// Reading the tool's own argument forms (ISO 8601 dates, HH:MM, integers).
#pragma once

#include <cstdint>
#include <string>

namespace kaldate {

struct CalendarDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
};

// "YYYY-MM-DD" with a year 1..9999 and a day that exists in that month.
bool ReadIsoDate(const std::string &text, CalendarDate &date);
// "YYYY-MM" with a year 1..9999.
bool ReadIsoMonth(const std::string &text, int &year, int &month);
// "H:MM" / "HH:MM", digits only, hour 0..99 and minute 0..99 (the library
// decides what is valid; the formatter writes whatever it is given).
bool ReadHourMinute(const std::string &text, int &hour, int &minute);
// A decimal integer within [low, high].
bool ReadInteger(const std::string &text, int64_t low, int64_t high, int64_t &value);

std::string IsoDate(int year, int month, int day);

} // namespace kaldate
