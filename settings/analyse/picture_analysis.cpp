// Reading the short and long date pictures into the settings record.
//
// The date letters are d, M and y; everything else in a picture, and any
// letter between single quotes, is literal text.  (The short picture prints
// no literal text, so its analysis leaves quotes alone.)  The analysis works
// on terminated copies of the picture fields so that a field filled to its
// last byte is never read past its end.
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

// Appends the text of src that stands outside quotes, quotes dropped, so
// that quoted letters never count as date letters; cut as Append cuts.
void AppendUnquoted(char *dest, size_t size, const char *src) {
    bool quoted = false;
    for (; *src != '\0'; ++src) {
        if (*src == '\'')
            quoted = !quoted;
        else if (!quoted)
            Append(dest, size, src, 1);
    }
}

} // namespace

const char *TakeSeparator(const char *pos, char *dest) {
    // A literal runs to the next date letter that stands outside quotes, or
    // to the end of the picture.  A quoted run is taken without its quotes
    // and may hold date letters; a quote that never closes takes the rest of
    // the picture.  What does not fit the field is cut.
    int length = 0;
    bool quoted = false;
    for (; *pos != '\0'; ++pos) {
        if (*pos == '\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && std::strchr(kDateLetters, *pos) != nullptr)
            break;
        if (length < kSeparatorMax)
            dest[length++] = *pos;
    }
    dest[length] = '\0';
    return pos;
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
    // the first two closed by a slash, and the unquoted rest of the picture,
    // so that their order and counts can be read off it afterwards.
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

    AppendUnquoted(elements, sizeof elements, cursor);

    // Here a missing letter stands after everything.
    const int missing = static_cast<int>(std::strlen(elements));
    r.iLongOrder =
        ElementOrder(FirstPosition(elements, 'd', missing), FirstPosition(elements, 'M', missing),
                     FirstPosition(elements, 'y', missing));
    r.bLongDayLZero = CountChar(elements, 'd') > 1;
    r.iMonthStyle = CountChar(elements, 'M') - 1;
    r.bLongFullYear = CountChar(elements, 'y') > 2;
}
