// Reading the international settings into a settings record.
#pragma once

#include "kalder32.h"

// What a reading found that the user must be told.
enum class ReadingNotice {
    None,
    // No short-date picture, and this version of Windows has no INF file to
    // take one from: the built-in defaults were used.
    UnsupportedVersion,
};

// Reads the settings into record (its fields not read stay) and derives
// its formats: the "intl" keys, or without a short-date picture the
// country entry of the INF file.  Shows nothing.
ReadingNotice ReadSettings(WINDATESTRUC &record);

ReadingNotice ReadCountryInf(WINDATESTRUC &record);
void UseDefaultSettings(WINDATESTRUC &record);

// Analyses both pictures, then builds both formats.
void DeriveFormats(WINDATESTRUC &record);
