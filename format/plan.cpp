#include "format/plan.h"

#include <cstring>

namespace fmt {

namespace {

// Copies at most the room left before end; returns the new end of text.
char *PutBounded(char *p, char *end, const char *text, size_t len) {
    const auto room = static_cast<size_t>(end - p);
    if (len > room)
        len = room;
    CopySmall(p, text, len);
    return p + len;
}

constexpr ptrdiff_t kIntRoom = 12;

char *PutNumber(char *p, char *end, int32_t value, bool twoDigits) {
    if (end - p >= kIntRoom)
        return PutDecimal(p, value, twoDigits);
    // Near the end of the area: write aside, keep what fits.
    char digits[kIntRoom];
    const char *last = PutDecimal(digits, value, twoDigits);
    for (const char *d = digits; d < last && p < end; ++d)
        *p++ = *d;
    return p;
}

char *PutText(char *p, char *end, const Arg &arg) {
    if (arg.padded && arg.len <= 16 && end - p >= 16) {
        std::memcpy(p, arg.s, 16);
        return p + arg.len;
    }
    return PutBounded(p, end, arg.s, arg.len);
}

// The conversion of one piece with its argument.
char *PutConversion(char *p, char *end, Conv conv, const Arg &arg) {
    if (conv == Conv::Text) {
        if (arg.isText && arg.s != nullptr)
            return PutText(p, end, arg);
        return p;
    }
    if (arg.isText)
        return p;
    return PutNumber(p, end, arg.i, conv == Conv::Int2);
}

} // namespace

char *PutDecimalByDivision(char *out, int32_t value, bool twoDigits) {
    char digits[12];
    int n = 0;
    uint32_t v = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    // printf's %02d pads the whole field, sign included: -5 is "-5".
    if (value < 0)
        *out++ = '-';
    else if (twoDigits && n < 2)
        *out++ = '0';
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

size_t Run(const Plan &plan, const Arg *args, int argCount, char *out, size_t cap) {
    if (cap == 0)
        return 0;
    char *p = out;
    char *const end = out + cap - 1;
    int argIndex = 0;
    for (int i = 0; i < plan.count; ++i) {
        const Piece &piece = plan.pieces[i];
        p = PutBounded(p, end, plan.lit + piece.litOffset, piece.litLen);
        if (piece.conv == Conv::None)
            continue;
        if (argIndex >= argCount)
            break;
        p = PutConversion(p, end, piece.conv, args[argIndex++]);
    }
    *p = '\0';
    return static_cast<size_t>(p - out);
}

} // namespace fmt
