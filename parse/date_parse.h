// Reading a typed short date: three numbers in the order of the short-date
// picture, a two-digit year placed in its century, then range tests that
// find the first bad value.  (The fast path is inline: it is most of what
// its export does.)
#pragma once

#include <cstdint>

#include "calendar/month_table.h"
#include "kalder32.h"
#include "parse/tokens.h"
#include "strings/warning.h"

// The delimiters of a typed date: these, and those of the separator field.
inline constexpr tok::FixedDelimiters kFixedDateDelimiters = tok::MakeFixed("/, \\");

constexpr tok::Delimiters DateDelimiters(const char *separator) {
    return tok::MakeDelimiters(kFixedDateDelimiters, separator);
}

namespace date_parse {

struct TypedDate {
    int32_t year;
    int32_t month;
    int32_t day;
};

// The typed numbers placed by the short-date element order.
inline TypedDate Place(int32_t order, const int32_t v[3]) {
    switch (order) {
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
inline int32_t CompleteYear(int32_t year) {
    if (year >= 0 && year < 60)
        return 2000 + year;
    if (year >= 60 && year < 100)
        return 1900 + year;
    return year;
}

inline bool InRange(const TypedDate &date, int32_t february) {
    return date.year >= 1980 && date.year <= 2100 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= MonthLength(date.month, february);
}

} // namespace date_parse

// The date parse's fast path: reads a text of three short numbers (one to
// four digits) with single delimiters (the fixed ones and separator) that
// is a good date, in one straight pass, without a call, in the element
// order of the settings record (iShortOrder): true, with date set, when
// text is such a date; false, with nothing written, for any other text,
// which ReadShortDate then reads.  Only for a separator field without
// digits.  Writes nothing else.
inline bool ReadDateOfShortNumbers(int32_t order, char separator, DosDate *date, const char *text) {
    using namespace date_parse;
    char work[100]; // as large as the general cut's: no move can leave it
    int32_t v[3] = {0, 0, 0};
    const tok::FixedAndOne delimiters{kFixedDateDelimiters.set, separator};
    if (text == nullptr || tok::CutShortNumbers<3, 4>(work, text, delimiters, v) < 0)
        return false;
    TypedDate typed = Place(order, v);
    typed.year = CompleteYear(typed.year);
    const int32_t february = FebruaryOf(typed.year);
    if (!InRange(typed, february))
        return false;
    date->year = static_cast<uint16_t>(typed.year);
    date->month = static_cast<uint16_t>(typed.month);
    date->day = static_cast<uint16_t>(typed.day);
    return true;
}

// Reads any text as a short date in the element order of the settings
// record, cut at the given delimiters: the date as typed, its year placed
// in its century, into typed, and on a bad value the warning to show,
// naming the first of year, month and day that is out of range against the
// February of the typed year.  Writes nothing else.
Warning ReadShortDate(const WINDATESTRUC &record, const tok::Delimiters &delimiters,
                      const char *text, date_parse::TypedDate *typed);

// ReadShortDate into date (unchanged on a bad value), leaving the typed
// year's February in the month table, where the classic parse leaves it.
Warning ParseShortDate(const WINDATESTRUC &record, const tok::Delimiters &delimiters, DosDate *date,
                       const char *text);
