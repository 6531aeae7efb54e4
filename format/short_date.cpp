// Short dates: a date written in the user's short form.
//
// The form is fully prepared in the settings record and its compiled plan;
// this takes the century off the year when the picture shows none, puts the
// three values in the picture's order and runs the plan.
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

// Plans of another shape than the builder's (only a test makes those) run
// through the general interpreter.
size_t RunAnyPlan(const uint16_t values[3]) {
    const fmt::Arg args[3] = {fmt::IntArg(values[0]), fmt::IntArg(values[1]),
                              fmt::IntArg(values[2])};
    return fmt::Run(fmt::ShortPlan, args, 3, ShortDateArea, sizeof ShortDateArea);
}

} // namespace

extern "C" char *KALDERAPI FillDosDateFormatString(const DosDate *date, char *out) {
    if (out == nullptr)
        return nullptr;
    const uint16_t year = ShownYear(date->year);
    uint16_t values[3] = {date->month, date->day, year};
    if (WinDateStruc.iShortOrder == 1) {
        values[0] = date->day;
        values[1] = date->month;
    } else if (WinDateStruc.iShortOrder == 2) {
        values[0] = year;
        values[1] = date->month;
        values[2] = date->day;
    }
    static_assert(sizeof ShortDateArea == 40, "RunThreeNumbers needs 40 bytes");
    const size_t length =
        fmt::ShortPlan.threeNumbers
            ? fmt::RunThreeNumbers(fmt::ShortPlan, values[0], values[1], values[2], ShortDateArea)
            : RunAnyPlan(values);
    fmt::CopySmall(out, ShortDateArea, length + 1);
    return out;
}

extern "C" char *KALDERAPI FillDateFormatString(KALDER_TM date, char *out) {
    DosDate dos{};
    dos.year = static_cast<uint16_t>(static_cast<uint32_t>(date.tm_year) + 1900u);
    dos.month = static_cast<uint16_t>(static_cast<uint32_t>(date.tm_mon) + 1u);
    dos.day = static_cast<uint16_t>(static_cast<uint32_t>(date.tm_mday));
    return FillDosDateFormatString(&dos, out);
}
