#include "parse/date_parse.h"

#include "parse/decimal.h"

namespace {

using date_parse::TypedDate;

// The work area a typed text is copied into and cut in.
constexpr size_t kDateWork = 100;

static_assert(sizeof WINDATESTRUC{}.sDate == tok::Delimiters::kFieldSize);

// The three numbers in typed order, missing ones 0: delimiter runs, tokens
// of any kind, each converted in full.
void ReadNumbers(const tok::DelimiterSet &set, const char *text, int32_t numbers[3]) {
    char work[kDateWork];
    tok::Token tokens[3];
    const int found = tok::CopyAndCut(work, kDateWork, text, set, tokens, 3);
    for (int i = 0; i < 3; ++i) {
        const tok::Token &token = tokens[i];
        numbers[i] = i >= found ? 0 : token.digitsOnly ? token.value : ReadTypedNumber(token.text);
    }
}

Warning WarningWithValue(StringId id, int32_t value) { return Warning{id, value, true}; }

// The first of year, month and day that is out of range, for a date that
// is not InRange.
Warning FirstBadValue(const TypedDate &date) {
    if (date.year < 1980 || date.year > 2100)
        return WarningWithValue(kStrBadYear, date.year);
    if (date.month < 1 || date.month > 12)
        return WarningWithValue(kStrBadMonth, date.month);
    return WarningWithValue(kStrBadDay, date.day);
}

} // namespace

Warning ReadShortDate(const WINDATESTRUC &record, const tok::Delimiters &delimiters,
                      const char *text, TypedDate *typed) {
    using namespace date_parse;
    int32_t v[3];
    ReadNumbers(delimiters.set, text, v);
    *typed = Place(record.iShortOrder, v);
    typed->year = CompleteYear(typed->year);
    if (!InRange(*typed, FebruaryOf(typed->year)))
        return FirstBadValue(*typed);
    return kNoWarning;
}

Warning ParseShortDate(const WINDATESTRUC &record, const tok::Delimiters &delimiters, DosDate *date,
                       const char *text) {
    TypedDate typed;
    const Warning found = ReadShortDate(record, delimiters, text, &typed);
    SetFebruaryFor(typed.year);
    if (found)
        return found;
    date->year = static_cast<uint16_t>(typed.year);
    date->month = static_cast<uint16_t>(typed.month);
    date->day = static_cast<uint16_t>(typed.day);
    return kNoWarning;
}
