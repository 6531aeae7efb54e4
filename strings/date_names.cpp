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
// the block in case the second fetch differs.  The block holds the text and
// at least one NUL, padded with NULs to a multiple of kNameBlock.
char *CopyName(unsigned id) {
    size_t length = std::strlen(vs_String(id));
    if (length == 0)
        return nullptr;
    const size_t blockSize = (length + kNameBlock) / kNameBlock * kNameBlock;
    char *block = static_cast<char *>(std::calloc(blockSize, 1));
    if (!block)
        return nullptr;
    std::strncpy(block, vs_String(id), length);
    block[length] = '\0';
    return block;
}

} // namespace

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
            std::free(table.entries[i]);
            table.entries[i] = nullptr;
        }
    }
    namesLoaded = 0;
}
