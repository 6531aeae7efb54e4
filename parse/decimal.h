// Decimal conversion of typed numbers.
#pragma once

#include <cstddef>
#include <cstdint>

// Converts the leading decimal number of at most the first limit characters
// of text: white space is skipped, one sign is taken, then digits up to the
// first other character.  No digits give 0; values beyond the 32-bit range
// stick at INT32_MAX or INT32_MIN so that they fail any range test rather
// than wrapping into a plausible value.
int32_t DecimalPrefix(const char *text, size_t limit);

// The null-safe conversion of typed numbers: null is 0, and only the first
// 50 characters of a text are looked at.
int32_t ReadTypedNumber(const char *text);
