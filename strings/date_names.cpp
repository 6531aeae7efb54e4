// The weekday and month name tables.
//
// The names are copied out of the resource module once per attach so that
// formatting a long date loads no string.  Each entry owns a heap copy of
// its text; an empty text, or one whose copy cannot be made, leaves the
// entry null, which readers take as empty.
#include "strings/date_names.h"

#include <cstdlib>
#include <cstring>

#include "strings/vs_string.h"
#include "strings/warning.h"

char *DayNames[7];
char *DayAbbrevs[7];
char *MonthNames[12];
char *MonthAbbrevs[12];

namespace {

int namesLoaded = 0;

struct NameTable {
    char **entries;
    unsigned count;
    unsigned firstId;
};

const NameTable kTables[] = {
    {DayNames, 7, kStrFirstDayName},
    {DayAbbrevs, 7, kStrFirstDayAbbrev},
    {MonthNames, 12, kStrFirstMonthName},
    {MonthAbbrevs, 12, kStrFirstMonthAbbrev},
};

// The text is fetched twice: once to size the block, once to fill it (the
// first fetch's buffer may be reused in between).  The copy is bounded by
// the first length in case the second fetch differs.
char *CopyName(unsigned id) {
    const size_t length = std::strlen(vs_String(id));
    if (length == 0)
        return nullptr;
    return MakeNameEntry(vs_String(id), length);
}

} // namespace

char *MakeNameEntry(const char *text, size_t length) {
    auto *entry = static_cast<char *>(std::calloc(length + 1, 1));
    if (entry != nullptr)
        std::strncpy(entry, text, length);
    return entry;
}

void FreeNameEntry(char *entry) { std::free(entry); }

void LoadDateNames() {
    if (namesLoaded)
        return;
    for (const NameTable &table : kTables) {
        for (unsigned i = 0; i < table.count; ++i)
            table.entries[i] = CopyName(table.firstId + i);
    }
    namesLoaded = 1;
}

void FreeDateNames() {
    if (!namesLoaded)
        return;
    for (const NameTable &table : kTables) {
        for (unsigned i = 0; i < table.count; ++i) {
            FreeNameEntry(table.entries[i]);
            table.entries[i] = nullptr;
        }
    }
    namesLoaded = 0;
}
