// Reading a value from a Windows 3.x INF file.
#pragma once

// Finds the quoted key in the bracketed section of a text file and copies at
// most limit characters of its value (or of def) into out.
void FindInfValue(const char *section, const char *key, const char *def, char *out, int limit,
                  const char *path);

// Copies the next field of a delimited text into out (at most limit - 1
// characters) and returns where the following field starts, or nullptr when
// the text has ended.
const char *NextField(const char *cursor, const char *delimiters, char *out, int limit);
