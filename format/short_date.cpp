#include "format/short_date.h"

size_t short_date::RunAnyPlan(const fmt::Plan &plan, const uint16_t values[3], char *area) {
    const fmt::Arg args[3] = {fmt::IntArg(values[0]), fmt::IntArg(values[1]),
                              fmt::IntArg(values[2])};
    return fmt::Run(plan, args, 3, area, kArea);
}
