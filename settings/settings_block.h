// One immutable block of settings: the record and everything derived from
// it that the formatters and parsers run.  A block is made whole by one
// derivation step and put in force at once (current_settings.h); calls take
// the block in force once and use only it.
#pragma once

#include "format/long_date.h"
#include "format/plan.h"
#include "kalder32.h"
#include "parse/date_parse.h"
#include "parse/time_parse.h"
#include "parse/tokens.h"

// What the time formatters and the usual ways of the parsers need of the
// settings, small enough to be read in one atomic load (current_settings.h):
// calls that need nothing more read it and take no block.  (Aligned as a
// four-byte word, so that every compiler loads and stores it as one.)
struct alignas(4) QuickSettings {
    char timeSeparator; // record.sTime[0]
    char dateSeparator; // record.sDate[0]
    // The usual time is read quickly: no digit in sTime (a digit there
    // makes digits delimiters, which only the full way reads).
    bool usualTime;
    // The usual date's element order, record.iShortOrder (0, 1, or 2 for
    // any other value, which reads the same), or kNoUsualDate for a digit
    // in sDate.
    uint8_t dateOrder;
    static constexpr uint8_t kNoUsualDate = 3;
};

// Cache-line aligned, so that the 16-byte reads of its tables fall alike
// in every block of the pool.
struct alignas(64) SettingsBlock {
    WINDATESTRUC record;
    fmt::Plan shortPlan;            // of record.szShortFmt
    tok::Delimiters dateDelimiters; // with record.sDate
    tok::Delimiters timeDelimiters; // with record.sTime
    LongDateForm longDate;          // of record's long-date fields, and the names
    QuickSettings quick;            // of the above
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

// Compiles the plans, delimiters and quick settings of block.record; the
// names stay.
constexpr void CompileRecord(SettingsBlock &block) {
    block.shortPlan = fmt::Compile(block.record.szShortFmt);
    SetLongDateForm(block.longDate, block.record);
    block.dateDelimiters = DateDelimiters(block.record.sDate);
    block.timeDelimiters = TimeDelimiters(block.record.sTime);
    const int32_t order = block.record.iShortOrder;
    block.quick = QuickSettings{
        block.record.sTime[0], block.record.sDate[0], block.timeDelimiters.plainDigits,
        static_cast<uint8_t>(!block.dateDelimiters.plainDigits ? QuickSettings::kNoUsualDate
                             : order == 0 || order == 1        ? order
                                                               : 2)};
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
