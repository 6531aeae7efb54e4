// The long date: an optional weekday name, then day, month and year in the
// order and with the literals of the long-date picture.
#pragma once

#include "format/long_date_names.h"
#include "format/plan.h"
#include "kalder32.h"

// Writes the long date of date into out (at most 39 characters and a NUL;
// out may be null) with the settings record's long-date fields, the plan of
// its long format and the names; returns out.
char *FormatLongDate(const WINDATESTRUC &record, const fmt::Plan &plan,
                     const fmt::LongDateNames &names, const KALDER_TM &date, char *out);
