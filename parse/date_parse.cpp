// Reading a typed short date: three numbers in the order of the short-date
// picture, a two-digit year placed in its century, then range tests that
// tell the user about the first bad value.
#include <cstdint>

#include "calendar/calendar.h"
#include "frame/record.h"
#include "kalder32.h"
#include "parse/tokens.h"
#include "platform/platform.h"
#include "strings/vs_string.h"
#include "strings/warning.h"

namespace {

char DateWork[100];
char DateDelimiters[20];

constexpr tok::FixedDelimiters kFixedDateDelimiters = tok::MakeFixed("/, \\");
// The class table of the fixed delimiters and the separator last seen.
constinit tok::DelimiterCache DateDelimiterCache = tok::MakeCache(kFixedDateDelimiters);
static_assert(sizeof WinDateStruc.sDate == tok::DelimiterCache::kFieldSize);
static_assert(sizeof DateDelimiters == tok::DelimiterCache::kAreaSize);
static_assert(sizeof DateWork >= 5 * 3 + 1);

struct TypedDate {
    int32_t year;
    int32_t month;
    int32_t day;
};

struct TypedNumbers {
    int32_t v[3];
};

// The three numbers of any typed date in typed order: delimiter runs,
// tokens of any kind, each converted in full.  Missing ones are 0.
[[gnu::noinline]] TypedNumbers ReadNumbersInFull(const char *text) {
    const tok::DelimiterSet &set = tok::Delimiters(DateDelimiterCache, kFixedDateDelimiters,
                                                   WinDateStruc.sDate, DateDelimiters);
    tok::Token tokens[3];
    const int found = tok::CopyAndCut(DateWork, sizeof DateWork, text, set, tokens, 3);
    TypedNumbers numbers{};
    for (int i = 0; i < found; ++i) {
        const tok::Token &token = tokens[i];
        numbers.v[i] = token.digitsOnly ? token.value : atoi_NullCheck(token.text);
    }
    return numbers;
}

// The tokens converted and placed by the short-date element order; missing
// tokens are 0.  Values keep their full typed range here: they are tested
// before anything narrows them to the record's 16-bit words.  The usual
// text (short numbers, single delimiters) with the separator seen before is
// read in one straight pass.
TypedDate ReadElements(const char *text) {
    TypedNumbers numbers{};
    if (text == nullptr || !tok::FreshPlainDigits(DateDelimiterCache, WinDateStruc.sDate) ||
        tok::CutShortNumbers<3, 4>(DateWork, text, DateDelimiterCache.set, numbers.v) < 0)
        numbers = ReadNumbersInFull(text);
    const int32_t *v = numbers.v;
    switch (WinDateStruc.iShortOrder) {
    case 0:
        return TypedDate{v[2], v[0], v[1]};
    case 1:
        return TypedDate{v[2], v[1], v[0]};
    default:
        return TypedDate{v[0], v[1], v[2]};
    }
}

// 0 to 59 are 2000 to 2059, 60 to 99 are 1960 to 1999; anything else was
// typed in full.
int32_t CompleteYear(int32_t year) {
    if (year >= 0 && year < 60)
        return 2000 + year;
    if (year >= 60 && year < 100)
        return 1900 + year;
    return year;
}

int Refuse(StringId id, int32_t value) {
    ShowWarning(plat::GetFocus(), vs_String(id), value);
    return -1;
}

bool InRange(const TypedDate &date) {
    return date.year >= 1980 && date.year <= 2100 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= MonthDays[date.month - 1];
}

// Shows the first of year, month and day, in that order, that is out of
// range against the February of the typed year; the result is -1.  Called
// only for a date that is not InRange.
[[gnu::noinline]] int RefuseDate(int32_t year, int32_t month, int32_t day) {
    if (year < 1980 || year > 2100)
        return Refuse(kStrBadYear, year);
    if (month < 1 || month > 12)
        return Refuse(kStrBadMonth, month);
    if (day < 1 || day > MonthDays[month - 1])
        return Refuse(kStrBadDay, day);
    return -1;
}

} // namespace

extern "C" int32_t KALDERAPI ParseDosDateFormatString(DosDate *date, const char *text) {
    TypedDate typed = ReadElements(text);
    typed.year = CompleteYear(typed.year);
    SetFebruaryFor(typed.year);
    if (!InRange(typed))
        return RefuseDate(typed.year, typed.month, typed.day);
    date->year = static_cast<uint16_t>(typed.year);
    date->month = static_cast<uint16_t>(typed.month);
    date->day = static_cast<uint16_t>(typed.day);
    return 0;
}

extern "C" int32_t KALDERAPI ParseDateFormatString(KALDER_TM *date, const char *text) {
    DosDate parsed{};
    if (ParseDosDateFormatString(&parsed, text) != 0)
        return -1;
    date->tm_year = parsed.year - 1900;
    date->tm_mon = parsed.month - 1;
    date->tm_mday = parsed.day;
    return 0;
}
