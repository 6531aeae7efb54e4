// Reading the international settings into a settings record.
#pragma once

#include "kalder32.h"

// Reads the settings again and puts them in force, with the names as
// loaded now.
void RefreshSettings();

// Reads the settings into record (its fields not read stay) and derives
// its formats: the "intl" keys, or without a short-date picture the
// country entry of the INF file.
void ReadSettings(WINDATESTRUC &record);

void UseDefaultSettings(WINDATESTRUC &record);
void ReadCountryInf(WINDATESTRUC &record);

// Finds the quoted key in the bracketed section of a text file and copies at
// most limit characters of its value (or of def) into out.
void FindInfValue(const char *section, const char *key, const char *def, char *out, int limit,
                  const char *path);

// Copies the next field of a delimited text into out (at most limit - 1
// characters) and returns where the following field starts, or nullptr when
// the text has ended.
const char *NextField(const char *cursor, const char *delimiters, char *out, int limit);
