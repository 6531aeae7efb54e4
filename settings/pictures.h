// Date pictures: what the short and long pictures ask for, and the printf
// formats (and their prepared plans) built from that.
#pragma once

void AnalyseShortDatePicture();
void AnalyseLongDatePicture();
void BuildShortFormat(); // finishes with BuildLongFormat
void BuildLongFormat();

// Stores the literal at pos into dest (a 10-byte field) and returns the
// position after it.
const char *TakeSeparator(const char *pos, char *dest);

int CountChar(const char *text, char c);
// Copies at most n characters of src and always terminates dest (n + 1 bytes).
void CopyLimited(char *dest, const char *src, int n);
