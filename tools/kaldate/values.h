// Reading the tool's own argument forms (ISO 8601 dates, HH:MM, integers).
#pragma once

#include <cstdint>
#include <string>

#include "kalder.h"

namespace kaldate {

struct CalendarDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
};

// How a text read as a date, a month or a year: in the form and real, in
// the form but no such thing (1999-02-29, 2000-13), or not in the form.
enum class Reading { kOk, kNoSuch, kNotInForm };

// "YYYY-MM-DD" with a year 1..9999 and a day that exists in that month.
Reading ReadIsoDate(const std::string &text, CalendarDate &date);
// "YYYY-MM" with a year 1..9999.
Reading ReadIsoMonth(const std::string &text, int &year, int &month);
// "YYYY", 1..9999.
Reading ReadIsoYear(const std::string &text, int &year);
// "H:MM" / "HH:MM", digits only, hour 0..99 and minute 0..99 (the library
// decides what is valid; the formatter writes whatever it is given).
bool ReadHourMinute(const std::string &text, int32_t &hour, int32_t &minute);
// A decimal integer within [low, high].
bool ReadInteger(const std::string &text, int64_t low, int64_t high, int64_t &value);

std::string IsoDate(int year, int month, int day);

// The complaint about text that did not read as a what ("date") in form
// ("YYYY-MM-DD").
std::string Complaint(Reading reading, const std::string &text, const std::string &what,
                      const std::string &form);

// A real date (ReadIsoDate's) as the library's calendar has it, weekday
// included.
KalderDate WithWeekday(const CalendarDate &date);

} // namespace kaldate
