// Building the short and long printf formats from the analysed pictures.
//
// Separators go into the formats as literal text with every % doubled, so
// they print as typed and never act as conversions.  A format must keep all
// its conversions and fit its record field, so when the separators are too
// long they are shortened (never by half an escape); the conversions stay.
#include <cstring>

#include "settings/analyse/format_builder.h"
#include "text/limited_text.h"

namespace {

// A format under construction in a fixed buffer.
struct FormatText {
    char text[48];
    size_t length;
};

void AddConversion(FormatText &f, const char *conversion) {
    const size_t n = std::strlen(conversion);
    std::memcpy(f.text + f.length, conversion, n);
    f.length += n;
}

// Appends literal with % doubled, writing at most budget characters and
// stopping before an escape that would not fit whole.
void AddLiteral(FormatText &f, const char *literal, size_t budget) {
    size_t written = 0;
    for (const char *p = literal; *p != '\0'; ++p) {
        const size_t cost = *p == '%' ? 2 : 1;
        if (written + cost > budget)
            break;
        f.text[f.length++] = *p;
        if (*p == '%')
            f.text[f.length++] = '%';
        written += cost;
    }
}

size_t EscapedLength(const char *literal) {
    return std::strlen(literal) + static_cast<size_t>(CountChar(literal, '%'));
}

// The largest per-separator allowance that lets all of them fit in budget
// together: separators under it keep their full length, longer ones are cut
// to it.
size_t FairShare(const size_t *lengths, int count, size_t budget) {
    size_t longest = 0;
    for (int i = 0; i < count; ++i)
        longest = lengths[i] > longest ? lengths[i] : longest;
    for (size_t share = longest;; --share) {
        size_t total = 0;
        for (int i = 0; i < count; ++i)
            total += lengths[i] < share ? lengths[i] : share;
        if (total <= budget || share == 0)
            return share;
    }
}

// The builders size every format to fit its field.
void Store(const FormatText &f, char *field) {
    std::memcpy(field, f.text, f.length);
    field[f.length] = '\0';
}

} // namespace

void BuildShortFormat(WINDATESTRUC &r) {
    const char *month = r.bMonthLZero ? "%02d" : "%d";
    const char *day = r.bDayLZero ? "%02d" : "%d";
    const char *year = r.bFullYear ? "%d" : "%02d";
    const char *order[3] = {month, day, year};
    if (r.iShortOrder == 1) {
        order[0] = day;
        order[1] = month;
    } else if (r.iShortOrder == 2) {
        order[0] = year;
        order[1] = month;
        order[2] = day;
    }

    char separator[sizeof r.sDate];
    CopyLimited(separator, r.sDate, sizeof separator - 1);
    size_t budget = sizeof r.szShortFmt - 1;
    for (const char *conversion : order)
        budget -= std::strlen(conversion);
    const size_t lengths[2] = {EscapedLength(separator), EscapedLength(separator)};
    const size_t share = FairShare(lengths, 2, budget);

    FormatText f{};
    AddConversion(f, order[0]);
    AddLiteral(f, separator, share);
    AddConversion(f, order[1]);
    AddLiteral(f, separator, share);
    AddConversion(f, order[2]);
    Store(f, r.szShortFmt);

    BuildLongFormat(r);
}

void BuildLongFormat(WINDATESTRUC &r) {
    const char *day = r.bLongDayLZero ? "%02d" : "%d";
    const char *elements[3] = {"%s", day, "%d"}; // month, day, year
    if (r.iLongOrder == 1) {
        elements[0] = day;
        elements[1] = "%s";
    } else if (r.iLongOrder == 2) {
        elements[0] = "%d";
        elements[1] = "%s";
        elements[2] = day;
    }

    char separators[3][sizeof r.szDaySep];
    CopyLimited(separators[0], r.szDaySep, sizeof separators[0] - 1);
    CopyLimited(separators[1], r.szFirstSep, sizeof separators[1] - 1);
    CopyLimited(separators[2], r.szSecondSep, sizeof separators[2] - 1);
    size_t budget = sizeof r.szLongFmt - 1 - 2; // less the weekday's %s
    for (const char *conversion : elements)
        budget -= std::strlen(conversion);
    const size_t lengths[3] = {EscapedLength(separators[0]), EscapedLength(separators[1]),
                               EscapedLength(separators[2])};
    const size_t share = FairShare(lengths, 3, budget);

    FormatText f{};
    AddConversion(f, "%s");
    for (int i = 0; i < 3; ++i) {
        AddLiteral(f, separators[i], share);
        AddConversion(f, elements[i]);
    }
    Store(f, r.szLongFmt);
}
