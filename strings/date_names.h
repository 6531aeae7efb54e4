// The weekday and month name tables, copied from the resource module once
// per attach.
#pragma once

#include <cstddef>

// Each entry is null or a heap copy of a name made with MakeNameEntry.

// A new entry holding the first length characters of text (fewer when text
// ends before), or null when it cannot be allocated.  Free it with
// FreeNameEntry.
char *MakeNameEntry(const char *text, size_t length);
void FreeNameEntry(char *entry);

extern char *DayNames[7];
extern char *DayAbbrevs[7];
extern char *MonthNames[12];
extern char *MonthAbbrevs[12];

void LoadDateNames();
void FreeDateNames();
