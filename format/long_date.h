// The long date: an optional weekday name, then day, month and year in the
// order and with the literals of the long-date picture.
#pragma once

#include "format/long_date_names.h"
#include "format/plan.h"
#include "kalder32.h"

// What the long date reads of the settings, in one piece, so that the
// formatter reaches all of it from one address: the record's long-date
// fields, the plan of its long format and the names.
struct LongDateForm {
    int32_t order;      // iLongOrder: 0 month-day-year, 1 day-month-year, 2 year-month-day
    int32_t dayName;    // iDayName: 0 none, 1 full, 2 abbreviated
    int32_t monthStyle; // iMonthStyle: 0 number, 1 two digits, 2 abbreviated, 3 name
    int32_t fullYear;   // bLongFullYear
    // Without a full year, the year in its century (2024 as 24) instead of
    // tm_year itself (124).
    bool yearInCentury;
    fmt::Plan plan;
    fmt::LongDateNames names;
};

// The form's fields of the record and plan of its long format (the names
// are kept apart, when the texts are loaded).
constexpr void SetLongDateForm(LongDateForm &form, const WINDATESTRUC &record) {
    form.order = record.iLongOrder;
    form.dayName = record.iDayName;
    form.monthStyle = record.iMonthStyle;
    form.fullYear = record.bLongFullYear;
    form.yearInCentury = false;
    form.plan = fmt::Compile(record.szLongFmt);
}

// Makes a form without the full year show the year in its century with two
// digits (2000 as 00) instead of tm_year as it stands.
constexpr void ShowYearInCentury(LongDateForm &form) {
    form.yearInCentury = true;
    if (form.fullYear != 0)
        return;
    // The year is the plan's second conversion in year-month-day order, its
    // fourth (after the weekday, month and day) otherwise.
    const int yearConversion = form.order == 2 ? 1 : 3;
    fmt::Plan &plan = form.plan;
    for (int i = 0, seen = 0; i < plan.count; ++i) {
        if (plan.pieces[i].conv == fmt::Conv::None || seen++ != yearConversion)
            continue;
        plan.pieces[i].conv = fmt::Conv::Int2;
        if (i < fmt::Plan::kMaxSlots)
            plan.slots[i].conv = fmt::Conv::Int2;
        return;
    }
}

// Writes the long date of date into out (at most 39 characters and a NUL;
// out may be null) in the long-date form; returns out.
char *FormatLongDate(const LongDateForm &form, const KALDER_TM &date, char *out);

// The longest long date ComposeLongDate writes, terminator included: the
// longest names and literals and two numbers of 11 characters fit.
inline constexpr size_t kComposedLongDateArea = 256;

// Writes the whole long date of date, never cut: into out when it fits
// size bytes with its terminator and the fast path writes it, else into
// area (kComposedLongDateArea bytes).  Returns where the text is, and its
// length in *length.
const char *ComposeLongDate(const LongDateForm &form, const KALDER_TM &date, char *out, size_t size,
                            char *area, size_t *length);

// The same through the general plan runner alone, never the register path:
// what that fast path is held to.
char *FormatLongDateThroughPlan(const LongDateForm &form, const KALDER_TM &date, char *out);
