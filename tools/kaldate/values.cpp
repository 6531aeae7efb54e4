#include "values.h"

#include <cctype>
#include <cstdio>

#include "kalder.h"
#include "messages.h"

namespace kaldate {
namespace {

// Reads exactly count digits at text[pos].
bool ReadDigits(const std::string &text, size_t pos, size_t count, int &value) {
    if (pos + count > text.size())
        return false;
    value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

Reading ReadIsoYear(const std::string &text, int &year) {
    if (text.size() != 4 || !ReadDigits(text, 0, 4, year))
        return Reading::kNotInForm;
    return year >= 1 ? Reading::kOk : Reading::kNoSuch;
}

Reading ReadIsoMonth(const std::string &text, int &year, int &month) {
    if (text.size() != 7 || text[4] != '-' || !ReadDigits(text, 5, 2, month))
        return Reading::kNotInForm;
    const Reading yearReading = ReadIsoYear(text.substr(0, 4), year);
    if (yearReading != Reading::kOk)
        return yearReading;
    return month >= 1 && month <= 12 ? Reading::kOk : Reading::kNoSuch;
}

Reading ReadIsoDate(const std::string &text, CalendarDate &date) {
    if (text.size() != 10 || text[7] != '-' || !ReadDigits(text, 8, 2, date.day))
        return Reading::kNotInForm;
    const Reading monthReading = ReadIsoMonth(text.substr(0, 7), date.year, date.month);
    if (monthReading != Reading::kOk)
        return monthReading;
    return date.day >= 1 && date.day <= KalderDaysInMonth(date.year, date.month) ? Reading::kOk
                                                                                 : Reading::kNoSuch;
}

bool ReadHourMinute(const std::string &text, int32_t &hour, int32_t &minute) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || text.size() - colon != 3)
        return false;
    return ReadDigits(text, 0, colon, hour) && ReadDigits(text, colon + 1, 2, minute);
}

bool ReadInteger(const std::string &text, int64_t low, int64_t high, int64_t &value) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    if (pos == text.size() || text.size() - pos > 12)
        return false;
    value = 0;
    for (; pos < text.size(); ++pos) {
        if (!std::isdigit(static_cast<unsigned char>(text[pos])))
            return false;
        value = value * 10 + (text[pos] - '0');
    }
    if (negative)
        value = -value;
    return value >= low && value <= high;
}

std::string IsoDate(int year, int month, int day) {
    char out[32];
    std::snprintf(out, sizeof out, "%04d-%02d-%02d", year, month, day);
    return out;
}

std::string Complaint(Reading reading, const std::string &text, const std::string &what,
                      const std::string &form) {
    if (reading == Reading::kNoSuch)
        return "no such " + what + ": " + Shown(text);
    return "not a " + what + " in the form " + form + ": " + Shown(text);
}

KalderDate WithWeekday(const CalendarDate &date) {
    KalderDate found{date.year, date.month, date.day, 0};
    KalderDateOfDay(date.year, KalderDayOfYear(date.year, date.month, date.day), &found);
    return found;
}

} // namespace kaldate
