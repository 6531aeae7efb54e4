// Date pictures: what the short and long pictures ask for, and the printf
// formats (and their prepared plans) built from that.
#pragma once

#include "kalder32.h"

// Each reads and writes the fields of the given record.
void AnalyseShortDatePicture(WINDATESTRUC &record);
void AnalyseLongDatePicture(WINDATESTRUC &record);
void BuildShortFormat(WINDATESTRUC &record); // finishes with BuildLongFormat
void BuildLongFormat(WINDATESTRUC &record);

// Analyses both pictures, then builds both formats.
void DeriveFormats(WINDATESTRUC &record);

// Stores the literal at pos into dest (a 10-byte field) and returns the
// position after it.
const char *TakeSeparator(const char *pos, char *dest);

int CountChar(const char *text, char c);
// Copies at most n characters of src and always terminates dest (n + 1 bytes).
void CopyLimited(char *dest, const char *src, int n);
