// Case-blind comparison of single-byte text (ASCII letters only), the same
// on every platform the library builds for.
#pragma once

#include <cstddef>

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// True when the first n characters of a and b match regardless of case
// (a shorter text matches only up to and including its terminator).
inline bool SameTextN(const char *a, const char *b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
        if (a[i] == '\0')
            return true;
    }
    return true;
}

inline bool SameText(const char *a, const char *b) {
    for (;; ++a, ++b) {
        if (AsciiLower(*a) != AsciiLower(*b))
            return false;
        if (*a == '\0')
            return true;
    }
}
