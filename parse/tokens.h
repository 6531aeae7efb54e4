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

// Writes the fixed delimiters followed by at most the first separatorMax
// characters of separator into area (areaSize bytes, always terminated).
inline void FillDelimiterArea(char *area, size_t areaSize, const FixedDelimiters &fixed,
                              const char *separator, size_t separatorMax) {
    size_t len = 0;
    for (; len < fixed.length && len + 1 < areaSize; ++len)
        area[len] = fixed.text[len];
    for (size_t i = 0; i < separatorMax && separator[i] && len + 1 < areaSize; ++i)
        area[len++] = separator[i];
    area[len] = '\0';
}

// The class table of the fixed delimiters and one separator setting.  The
// separator changes only when the settings are read again, so the table is
// kept and built afresh only when the separator's characters differ from
// those it was built for.
struct DelimiterCache {
    static constexpr size_t kSeparatorMax = 9;
    DelimiterSet set;
    char separator[kSeparatorMax]; // as built for, NUL-padded
};

constexpr DelimiterCache MakeCache(const FixedDelimiters &fixed) {
    return DelimiterCache{fixed.set, {}};
}

// The set for the fixed delimiters and the first kSeparatorMax characters of
// separator (a field of at least that many bytes).
const DelimiterSet &Delimiters(DelimiterCache &cache, const FixedDelimiters &fixed,
                               const char *separator);

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

} // namespace tok
