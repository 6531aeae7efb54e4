// The null-safe decimal conversion shared by the date and time parsers.
#include <cstdint>

#include "parse/decimal.h"

namespace {

// Only this many characters of a text are looked at by atoi_NullCheck.
constexpr size_t kAtoiLimit = 50;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int32_t DecimalPrefix(const char *text, size_t limit) {
    size_t i = 0;
    while (i < limit && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < limit && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude in 64 bits and stop growing it once it is
    // past the 32-bit range; the rest of the digits cannot bring it back.
    constexpr int64_t kCeiling = int64_t{INT32_MAX} + 1;
    int64_t magnitude = 0;
    for (; i < limit && IsDigit(text[i]); ++i) {
        if (magnitude < kCeiling)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (negative)
        return magnitude >= kCeiling ? INT32_MIN : static_cast<int32_t>(-magnitude);
    return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}

int32_t ReadTypedNumber(const char *text) {
    if (text == nullptr)
        return 0;
    return DecimalPrefix(text, kAtoiLimit);
}
