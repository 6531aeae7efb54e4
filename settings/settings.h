// One reading of the settings as a value: the record and everything derived
// from it that the formatters and parsers run, and the names in use.  A
// value is made whole by one derivation step; the exports hand the value in
// force (settings/publish/in_force.h) to every worker as a const argument.
#pragma once

#include "format/long_date.h"
#include "format/plan.h"
#include "kalder32.h"
#include "parse/date_parse.h"
#include "parse/time_parse.h"
#include "parse/tokens.h"

struct Settings {
    WINDATESTRUC record;
    fmt::Plan shortPlan;            // of record.szShortFmt
    tok::Delimiters dateDelimiters; // with record.sDate
    tok::Delimiters timeDelimiters; // with record.sTime
    LongDateForm longDate;          // of record's long-date fields, and the names
};

// The record's values from module load until the settings are first read.
inline constexpr WINDATESTRUC kLoadTimeRecord = {
    ":",                   // sTime
    "/",                   // sDate
    "M/d/yy",              // sShortDate
    "dddd, MMMM dd, yyyy", // sLongDate
    0,                     // iShortOrder
    0,                     // bMonthLZero
    0,                     // bDayLZero
    0,                     // bFullYear
    "%d/%d/%d",            // szShortFmt
    0,                     // iLongOrder
    1,                     // iDayName
    1,                     // bLongDayLZero
    3,                     // iMonthStyle
    1,                     // bLongFullYear
    ", ",                  // szDaySep
    " ",                   // szFirstSep
    ", ",                  // szSecondSep
    "%s%s%s%02d%s%s",      // szLongFmt
    ",",                   // sThousand
    ".",                   // sDecimal
};

// Compiles the plans and delimiters of settings.record; the names stay.
constexpr void CompileRecord(Settings &settings) {
    settings.shortPlan = fmt::Compile(settings.record.szShortFmt);
    SetLongDateForm(settings.longDate, settings.record);
    settings.dateDelimiters = DateDelimiters(settings.record.sDate);
    settings.timeDelimiters = TimeDelimiters(settings.record.sTime);
}

// The settings before they are first read: no names yet.
constexpr Settings LoadTimeSettings() {
    Settings settings{};
    settings.record = kLoadTimeRecord;
    CompileRecord(settings);
    return settings;
}

// Compiles settings.record as CompileRecord does and keeps the name tables
// as they are loaded now.
void CompileSettings(Settings &settings);
