// Cutting typed dates and times into numbers.
//
// A typed text is copied into a work area of the parser and cut there: a
// token is a maximal run of characters that are not delimiters, and any run
// of delimiters separates like one.  The delimiters are a fixed set plus the
// characters of the user's separator setting.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tok {

// Membership of all 256 byte values, built afresh by each parse.
struct DelimiterSet {
    uint32_t bits[8];
    bool Has(unsigned char c) const { return (bits[c >> 5] >> (c & 31)) & 1u; }
};

// Writes fixed followed by at most the first separatorMax characters of
// separator into area (areaSize bytes, always terminated) and builds set
// from what area then holds.
void FillDelimiters(char *area, size_t areaSize, const char *fixed, const char *separator,
                    size_t separatorMax, DelimiterSet *set);

// Copies text into area, at most areaSize - 1 characters and a NUL; a null
// text gives empty text.
void CopyTyped(char *area, size_t areaSize, const char *text);

// Terminates each of the first max tokens of area in place and stores where
// each starts; returns how many were found.  Text after the last token
// wanted is not looked at.
int CutTokens(char *area, const DelimiterSet &set, char **tokens, int max);

} // namespace tok
