// The weekday and month name tables, copied from the resource module once
// per attach.
#pragma once

extern char *DayNames[7];
extern char *DayAbbrevs[7];
extern char *MonthNames[12];
extern char *MonthAbbrevs[12];

void LoadDateNames();
void FreeDateNames();
