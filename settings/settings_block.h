// One immutable block of settings: the record and everything derived from
// it that the formatters and parsers run.  A block is made whole by one
// derivation step and put in force at once (current_settings.h); calls take
// the block in force once and use only it.
#pragma once

#include "format/long_date_names.h"
#include "format/plan.h"
#include "kalder32.h"
#include "parse/date_parse.h"
#include "parse/time_parse.h"
#include "parse/tokens.h"

struct SettingsBlock {
    WINDATESTRUC record;
    fmt::Plan shortPlan;            // of record.szShortFmt
    fmt::Plan longPlan;             // of record.szLongFmt
    tok::Delimiters dateDelimiters; // with record.sDate
    tok::Delimiters timeDelimiters; // with record.sTime
    fmt::LongDateNames names;
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

// Compiles the plans and delimiters of block.record; the names stay.
constexpr void CompileRecord(SettingsBlock &block) {
    block.shortPlan = fmt::Compile(block.record.szShortFmt);
    block.longPlan = fmt::Compile(block.record.szLongFmt);
    block.dateDelimiters = DateDelimiters(block.record.sDate);
    block.timeDelimiters = TimeDelimiters(block.record.sTime);
}

// The block before the settings are first read: no names yet.
constexpr SettingsBlock LoadTimeBlock() {
    SettingsBlock block{};
    block.record = kLoadTimeRecord;
    CompileRecord(block);
    return block;
}

// Compiles block.record as CompileRecord does and keeps the name tables as
// they are loaded now.
void CompileSettings(SettingsBlock &block);
