// Copies of the short texts this library moves around.
#pragma once

#include <cstddef>
#include <cstring>

// Copies n bytes with a few fixed-size moves when n is small; for the short
// texts of this library that is cheaper than a call to memcpy.  Reads and
// writes exactly n bytes.
inline void CopySmall(char *dst, const char *src, size_t n) {
    if (n >= 16) {
        if (n > 32) {
            std::memcpy(dst, src, n);
            return;
        }
        std::memcpy(dst, src, 16);
        std::memcpy(dst + n - 16, src + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(dst, src, 8);
        std::memcpy(dst + n - 8, src + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(dst, src, 4);
        std::memcpy(dst + n - 4, src + n - 4, 4);
    } else if (n > 0) {
        dst[0] = src[0];
        dst[n / 2] = src[n / 2];
        dst[n - 1] = src[n - 1];
    }
}
