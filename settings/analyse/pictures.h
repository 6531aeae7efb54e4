// Reading the short and long date pictures: what they ask for, into the
// fields of the given record.
#pragma once

#include "kalder32.h"

void AnalyseShortDatePicture(WINDATESTRUC &record);
void AnalyseLongDatePicture(WINDATESTRUC &record);

// Stores the literal at pos into dest (a 10-byte field) and returns the
// position after it.
const char *TakeSeparator(const char *pos, char *dest);
