// The weekday and month name tables, copied from the resource module once
// per attach.
#pragma once

// Each entry is null or a text in a block that can be read 16 bytes at a
// time from its start (the library's copies are padded with NULs to a
// multiple of kNameBlock bytes), so that a formatter can take a short name
// and its length with two fixed-size reads.
inline constexpr unsigned kNameBlock = 16;

extern char *DayNames[7];
extern char *DayAbbrevs[7];
extern char *MonthNames[12];
extern char *MonthAbbrevs[12];

void LoadDateNames();
void FreeDateNames();
