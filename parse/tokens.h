// Cutting typed dates and times into numbers.
//
// A typed text is copied into a work area of the parser and cut there: a
// token is a maximal run of characters that are not delimiters, and any run
// of delimiters separates like one.  The delimiters are a fixed set plus the
// characters of the user's separator setting.  Copying, cutting and reading
// plain digit tokens happen in one pass over the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "text/small_copy.h"

namespace tok {

// What each byte value is to the cutter; digits are told apart so that
// plain numbers can be read in the same pass.
enum CharClass : uint8_t { kOther, kDigit, kDelimiter, kEnd };

// The class of all 256 byte values, built afresh by each parse.
struct DelimiterSet {
    CharClass cls[256];
    CharClass Of(char c) const { return cls[static_cast<unsigned char>(c)]; }
    constexpr void Add(char c) {
        if (c != '\0')
            cls[static_cast<unsigned char>(c)] = kDelimiter;
    }
};

// A parser's fixed delimiters, with their classes prepared once.
struct FixedDelimiters {
    const char *text;
    size_t length;
    DelimiterSet set;
};

constexpr FixedDelimiters MakeFixed(const char *text) {
    FixedDelimiters fixed{text, 0, {}};
    for (int c = 0; c < 256; ++c)
        fixed.set.cls[c] = c >= '0' && c <= '9' ? kDigit : kOther;
    fixed.set.cls[0] = kEnd;
    for (; text[fixed.length] != '\0'; ++fixed.length)
        fixed.set.Add(text[fixed.length]);
    return fixed;
}

// The class table of the fixed delimiters and one separator setting (a
// field of kFieldSize bytes, of which the first kSeparatorMax characters
// count), made when the settings are read.
struct Delimiters {
    static constexpr size_t kSeparatorMax = 9;
    static constexpr size_t kFieldSize = 10;
    DelimiterSet set;
    // No character of the separator is a digit, so that every digit is one.
    bool plainDigits;
};

constexpr Delimiters MakeDelimiters(const FixedDelimiters &fixed, const char *separator) {
    Delimiters delimiters{fixed.set, true};
    for (size_t i = 0; i < Delimiters::kSeparatorMax && separator[i] != '\0'; ++i) {
        delimiters.set.Add(separator[i]);
        if (separator[i] >= '0' && separator[i] <= '9')
            delimiters.plainDigits = false;
    }
    return delimiters;
}

struct Token {
    char *text;      // terminated in the work area
    int32_t value;   // the token's value when digitsOnly
    bool digitsOnly; // one to nine decimal digits and nothing else
};

// Copies text into area (at most areaSize - 1 characters and a NUL; a null
// text is empty), terminating each of the first max tokens in place.
// Returns how many tokens were found; text after the last token wanted is
// neither copied nor looked at.
int CopyAndCut(char *area, size_t areaSize, const char *text, const DelimiterSet &set,
               Token *tokens, int max);

// The value of a decimal digit character, or above 9 for any other.
inline unsigned DigitValue(char c) { return static_cast<unsigned char>(c) - unsigned{'0'}; }

// The leading digits of text, one to maxDigits (2 or 4) of them: returns
// their count and sets value, or returns 0 when text starts with no digit.
// A digit after the last one taken is left for the caller, who finds no
// delimiter there.  Written out so that each digit is tested once and the
// value is a sum of independent products, not a chain.
template <size_t maxDigits>
[[gnu::always_inline]] inline size_t ReadShortNumber(const char *text, uint32_t &value) {
    static_assert(maxDigits == 2 || maxDigits == 4);
    const unsigned d0 = DigitValue(text[0]);
    if (d0 > 9)
        return 0;
    const unsigned d1 = DigitValue(text[1]);
    if (d1 > 9) {
        value = d0;
        return 1;
    }
    if constexpr (maxDigits == 2) {
        value = d0 * 10 + d1;
        return 2;
    }
    const unsigned d2 = DigitValue(text[2]);
    if (d2 > 9) {
        value = d0 * 10 + d1;
        return 2;
    }
    const unsigned d3 = DigitValue(text[3]);
    if (d3 > 9) {
        value = d0 * 100 + d1 * 10 + d2;
        return 3;
    }
    value = d0 * 1000 + d1 * 100 + d2 * 10 + d3;
    return 4;
}

// A parser's fixed delimiters and one character more, the first of the
// separator field: what the parsers' fast paths cut at, told apart without
// the full set of the settings.  Every delimiter here is one of the full
// set's too, so a text cut here is cut there the same way.
struct FixedAndOne {
    const DelimiterSet &fixed;
    char separator;
    CharClass Of(char c) const { return c == separator && c != '\0' ? kDelimiter : fixed.Of(c); }
};

// The parsers' fast path: CopyAndCut for exactly max numbers, in
// straight-line code.  Takes numbers of one to maxDigits (2 or 4) digits,
// one delimiter after each but the last, the text ending after the last one or at a delimiter.
// Stores the numbers' values in values and returns max, with the work area
// as CopyAndCut leaves it; returns -1 for any other text (fewer numbers,
// leading or doubled delimiters, longer numbers, other characters), which
// is then left to CopyAndCut.  Only for a set in which every digit is a
// digit (plainDigits).  The text read is copied into the area in one
// go once its length is known, and the tokens' ends are then cut.  The
// area must have at least (maxDigits + 1) * max + 1 bytes.
template <int max, size_t maxDigits, typename Set>
[[gnu::always_inline]] inline int CutShortNumbers(char *area, const char *text, const Set &set,
                                                  int32_t *values) {
    static_assert((maxDigits + 1) * max <= 16);
    size_t ends[max];
    size_t i = 0;
    for (int count = 0; count < max; ++count) {
        uint32_t value = 0;
        const size_t digits = ReadShortNumber<maxDigits>(text + i, value);
        if (digits == 0)
            return -1;
        i += digits;
        values[count] = static_cast<int32_t>(value);
        ends[count] = i;
        // The text may end after the last number; otherwise a delimiter
        // follows.  Only a NUL is of class kEnd.
        const char next = text[i];
        if (count + 1 == max && next == '\0')
            break;
        if (set.Of(next) != kDelimiter)
            return -1;
        ++i;
    }
    // i is at the text's NUL or just past the delimiter after the last
    // number; everything before it has been read, and text[i] is there to
    // read (at worst the NUL).  Copying it too, only to overwrite it with
    // the NUL below, makes the copy at least 4 bytes for any time.
    CopySmall(area, text, i + 1);
    for (int k = 0; k < max; ++k)
        area[ends[k]] = '\0';
    area[i] = '\0';
    return max;
}

} // namespace tok
