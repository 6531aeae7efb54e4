// The weekday and month name tables, copied from the resource module once
// per attach.
#pragma once

#include <cstddef>

// Each entry is null or a name in a block the library makes with
// MakeNameEntry, laid out for the long-date formatter:
//
//   [short length][kNameLead - 1 NULs][text, NUL-padded to a multiple of
//   kNameBlock][kNameTrail NULs]
//
// The entry points at the text.  A name of fewer than kNameBlock (16)
// characters can thus be read 16 bytes at a time, and also shifted by up to
// kNameLead - 1 places one way and kNameTrail the other, with NULs wherever
// the name is not; its length is a single byte away, so the formatter need
// not scan for it.
inline constexpr size_t kNameBlock = 16;
inline constexpr size_t kNameLead = 33;
inline constexpr size_t kNameTrail = 16;

// The length of an entry's text when it is below kNameBlock, otherwise
// kNameBlock.
inline size_t ShortNameLength(const char *entry) {
    return static_cast<unsigned char>(entry[-static_cast<ptrdiff_t>(kNameLead)]);
}

// A new entry holding the first length characters of text, or null when
// its block cannot be allocated.  Free it with FreeNameEntry.
char *MakeNameEntry(const char *text, size_t length);
void FreeNameEntry(char *entry);

extern char *DayNames[7];
extern char *DayAbbrevs[7];
extern char *MonthNames[12];
extern char *MonthAbbrevs[12];

void LoadDateNames();
void FreeDateNames();
