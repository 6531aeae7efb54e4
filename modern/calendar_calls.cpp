// The calendar without shared state: every call computes with its own
// February and stores nothing but its results.
#include "calendar/civil.h"
#include "calendar/date_words.h"
#include "modern/civil_checks.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Floor division, so that times before 1970 fall on their own day.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

KalderStatus StoreDays(int64_t days, KalderDate *date) {
    int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(days, &year, &month, &day);
    if (year < modern::kFirstYear || year > modern::kLastYear)
        return KALDER_BAD_YEAR;
    date->year = static_cast<int32_t>(year);
    date->month = static_cast<int32_t>(month);
    date->day = static_cast<int32_t>(day);
    date->weekday = static_cast<int32_t>(WeekdayFromDays(days));
    return KALDER_OK;
}

// The days from 1970 to 1 January of year, in 64 bits.
int64_t DaysToFirstOfJanuary(int32_t year) { return DaysFromCivil(year, 1, 1); }

} // namespace

extern "C" int32_t KALDER_CALL KalderDaysInMonth(int32_t year, int32_t month) {
    if (year < modern::kFirstYear || year > modern::kLastYear)
        return KALDER_BAD_YEAR;
    if (month < 1 || month > 12)
        return KALDER_BAD_MONTH;
    return MonthLength(month, modern::FebruaryOfYear(year));
}

extern "C" int32_t KALDER_CALL KalderDayOfYear(int32_t year, int32_t month, int32_t day) {
    if (const KalderStatus bad = modern::CheckDate(year, month, day))
        return bad;
    const auto before =
        date_words::DaysBeforeMonth(static_cast<uint32_t>(month), modern::FebruaryOfYear(year));
    return static_cast<int32_t>(before) + day;
}

extern "C" KalderStatus KALDER_CALL KalderDateOfDay(int32_t year, int32_t day, KalderDate *date) {
    if (date == nullptr)
        return KALDER_BAD_ARGUMENT;
    if (year < modern::kFirstYear || year > modern::kLastYear)
        return KALDER_BAD_YEAR;
    // The 32-bit count of the date words where it holds, as JulianToDosd
    // counts; 64-bit days beyond.
    const uint32_t count =
        static_cast<uint32_t>(date_words::DaysToNewYear(static_cast<uint16_t>(year))) +
        kDayCountShift + static_cast<uint32_t>(day) - 1u;
    if (count <= kDayCountLast) [[likely]] {
        const CivilDate civil = CivilFromDayCount(count);
        if (civil.year < modern::kFirstYear || civil.year > modern::kLastYear)
            return KALDER_BAD_DAY;
        *date = KalderDate{civil.year, static_cast<int32_t>(civil.month),
                           static_cast<int32_t>(civil.day),
                           static_cast<int32_t>(WeekdayFromDayCount(count))};
        return KALDER_OK;
    }
    KalderDate found{};
    if (StoreDays(DaysToFirstOfJanuary(year) + day - 1, &found) != KALDER_OK)
        return KALDER_BAD_DAY;
    *date = found;
    return KALDER_OK;
}

extern "C" int64_t KALDER_CALL KalderSecondsOf(const KalderDate *date, int32_t hour,
                                               int32_t minute) {
    if (date == nullptr || modern::CheckDate(date->year, date->month, date->day) != KALDER_OK)
        return INT64_MIN;
    if (hour < 0 || hour > 24 || minute < 0 || minute > 59 || (hour == 24 && minute != 0))
        return INT64_MIN;
    const int64_t days = DaysFromCivil(date->year, static_cast<unsigned>(date->month),
                                       static_cast<unsigned>(date->day));
    return days * kSecondsPerDay + int64_t{hour} * 3600 + int64_t{minute} * 60;
}

extern "C" KalderStatus KALDER_CALL KalderDateOfSeconds(int64_t seconds, KalderDate *date,
                                                        int32_t *hour, int32_t *minute) {
    if (date == nullptr)
        return KALDER_BAD_ARGUMENT;
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    KalderDate found{};
    if (const KalderStatus bad = StoreDays(days, &found))
        return bad;
    const int64_t ofDay = seconds - days * kSecondsPerDay;
    *date = found;
    if (hour != nullptr)
        *hour = static_cast<int32_t>(ofDay / 3600);
    if (minute != nullptr)
        *minute = static_cast<int32_t>(ofDay % 3600 / 60);
    return KALDER_OK;
}
