// Keeps the settings record, its prepared plans and the month table as they
// were, so that tests which rewrite them leave no trace for later tests.
#pragma once

#include <cstring>

#include "calendar/calendar.h"
#include "format/plan.h"
#include "frame/record.h"

class RecordSnapshot {
  public:
    RecordSnapshot()
        : record_(WinDateStruc), shortPlan_(fmt::ShortPlan), longPlan_(fmt::LongPlan),
          february_(MonthDays[1]) {}
    ~RecordSnapshot() {
        WinDateStruc = record_;
        fmt::ShortPlan = shortPlan_;
        fmt::LongPlan = longPlan_;
        MonthDays[1] = february_;
    }
    RecordSnapshot(const RecordSnapshot &) = delete;
    RecordSnapshot &operator=(const RecordSnapshot &) = delete;

  private:
    WINDATESTRUC record_;
    fmt::Plan shortPlan_;
    fmt::Plan longPlan_;
    int32_t february_;
};

// Writes text into a record field, cut to the field's width.
template <size_t N> void SetField(char (&field)[N], const char *text) {
    std::strncpy(field, text, N - 1);
    field[N - 1] = '\0';
}
