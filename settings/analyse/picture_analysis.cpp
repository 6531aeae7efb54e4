// Reading the short and long date pictures into the settings record.
//
// The date letters are d, M and y; everything else in a picture is literal
// text.  The analysis works on terminated copies of the picture fields so
// that a field filled to its last byte is never read past its end.
#include <cstring>

#include "settings/analyse/pictures.h"
#include "text/limited_text.h"

namespace {

constexpr const char *kDateLetters = "dMy";

// Widest literal a separator field holds, and widest second element the
// analysis keeps.
constexpr int kSeparatorMax = static_cast<int>(sizeof WINDATESTRUC{}.szDaySep) - 1;
constexpr int kSecondElementMax = 31;

int FirstPosition(const char *text, char c, int missing) {
    const char *p = std::strchr(text, c);
    return p != nullptr ? static_cast<int>(p - text) : missing;
}

// 0 = month, day, year; 1 = day, month, year; 2 = year, month, day.  Ties
// fall through to 2.
int32_t ElementOrder(int day, int month, int year) {
    if (month < day && month < year)
        return 0;
    if (day < month && day < year)
        return 1;
    return 2;
}

int Shorter(size_t length, int limit) {
    return length < static_cast<size_t>(limit) ? static_cast<int>(length) : limit;
}

// Appends n characters of src to the terminated text in dest (size bytes),
// cutting what does not fit.
void Append(char *dest, size_t size, const char *src, size_t n) {
    const size_t used = std::strlen(dest);
    const size_t room = size - 1 - used;
    if (n > room)
        n = room;
    std::memcpy(dest + used, src, n);
    dest[used + n] = '\0';
}

} // namespace

const char *TakeSeparator(const char *pos, char *dest) {
    dest[0] = '\0';
    if (*pos == '\'') {
        // A quoted literal runs to the next quote, or to the end of the
        // picture when no quote closes it.
        const char *start = pos + 1;
        const char *close = std::strchr(start, '\'');
        const char *end = close != nullptr ? close : start + std::strlen(start);
        CopyLimited(dest, start, Shorter(static_cast<size_t>(end - start), kSeparatorMax));
        return close != nullptr ? close + 1 : end;
    }
    const size_t n = std::strcspn(pos, kDateLetters);
    CopyLimited(dest, pos, Shorter(n, kSeparatorMax));
    return pos + n;
}

void AnalyseShortDatePicture(WINDATESTRUC &r) {
    char picture[sizeof r.sShortDate];
    CopyLimited(picture, r.sShortDate, sizeof picture - 1);

    // A missing letter stands before every letter that occurs.
    r.iShortOrder = ElementOrder(FirstPosition(picture, 'd', -1), FirstPosition(picture, 'M', -1),
                                 FirstPosition(picture, 'y', -1));
    r.bDayLZero = CountChar(picture, 'd') > 1;
    r.bMonthLZero = CountChar(picture, 'M') > 1;
    r.bFullYear = CountChar(picture, 'y') > 2;
}

void AnalyseLongDatePicture(WINDATESTRUC &r) {
    char picture[sizeof r.sLongDate];
    CopyLimited(picture, r.sLongDate, sizeof picture - 1);
    const char *cursor = picture;

    if (std::strncmp(cursor, "dddd", 4) == 0) {
        r.iDayName = 1;
        cursor += 4;
    } else if (std::strncmp(cursor, "ddd", 3) == 0) {
        r.iDayName = 2;
        cursor += 3;
    } else {
        r.iDayName = 0;
        r.szDaySep[0] = '\0';
    }
    if (r.iDayName != 0 || *cursor == '\'')
        cursor = TakeSeparator(cursor, r.szDaySep);

    // The element text collects the date letters of the three elements,
    // the first two closed by a slash, so that their order and counts can be
    // read off it afterwards.
    char elements[52] = "";
    size_t run = std::strspn(cursor, kDateLetters);
    Append(elements, sizeof elements, cursor, run);
    Append(elements, sizeof elements, "/", 1);
    cursor = TakeSeparator(cursor + run, r.szFirstSep);

    char second[kSecondElementMax + 1];
    run = std::strspn(cursor, kDateLetters);
    CopyLimited(second, cursor, Shorter(run, kSecondElementMax));
    Append(elements, sizeof elements, second, std::strlen(second));
    Append(elements, sizeof elements, "/", 1);
    cursor = TakeSeparator(cursor + run, r.szSecondSep);

    Append(elements, sizeof elements, cursor, std::strlen(cursor));

    // Here a missing letter stands after everything.
    const int missing = static_cast<int>(std::strlen(elements));
    r.iLongOrder =
        ElementOrder(FirstPosition(elements, 'd', missing), FirstPosition(elements, 'M', missing),
                     FirstPosition(elements, 'y', missing));
    r.bLongDayLZero = CountChar(elements, 'd') > 1;
    r.iMonthStyle = CountChar(elements, 'M') - 1;
    r.bLongFullYear = CountChar(elements, 'y') > 2;
}
