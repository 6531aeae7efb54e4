// Short dates: a date written in the user's short form.
//
// The form is fully prepared in the settings record and its compiled plan;
// this takes the century off the year when the picture shows none, puts the
// three values in the picture's order and runs the plan.
#include <cstring>

#include "format/plan.h"
#include "frame/record.h"

namespace {

// The last short date formatted; every call composes here first.
char ShortDateArea[40];

// Two-digit years count from 1900 and lose one century at most, so 2100
// shows as 100; the arithmetic is in 16 bits, as the date words are.
uint16_t ShownYear(uint16_t year) {
    if (WinDateStruc.bFullYear)
        return year;
    uint16_t shown = static_cast<uint16_t>(year - 1900);
    if (shown >= 100)
        shown = static_cast<uint16_t>(shown - 100);
    return shown;
}

} // namespace

extern "C" char *KALDERAPI FillDosDateFormatString(const DosDate *date, char *out) {
    if (out == nullptr)
        return nullptr;
    const fmt::Arg year = fmt::IntArg(ShownYear(date->year));
    const fmt::Arg month = fmt::IntArg(date->month);
    const fmt::Arg day = fmt::IntArg(date->day);
    fmt::Arg args[3] = {month, day, year};
    if (WinDateStruc.iShortOrder == 1) {
        args[0] = day;
        args[1] = month;
    } else if (WinDateStruc.iShortOrder == 2) {
        args[0] = year;
        args[1] = month;
        args[2] = day;
    }
    const size_t length = fmt::Run(fmt::ShortPlan, args, 3, ShortDateArea, sizeof ShortDateArea);
    std::memcpy(out, ShortDateArea, length + 1);
    return out;
}

extern "C" char *KALDERAPI FillDateFormatString(KALDER_TM date, char *out) {
    DosDate dos{};
    dos.year = static_cast<uint16_t>(static_cast<uint32_t>(date.tm_year) + 1900u);
    dos.month = static_cast<uint16_t>(static_cast<uint32_t>(date.tm_mon) + 1u);
    dos.day = static_cast<uint16_t>(static_cast<uint32_t>(date.tm_mday));
    return FillDosDateFormatString(&dos, out);
}
