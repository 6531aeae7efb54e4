#include "format/plan.h"

#include <cstring>

namespace fmt {

// The load-time formats of the settings record.
constinit Plan ShortPlan = Compile("%d/%d/%d");
constinit Plan LongPlan = Compile("%s%s%s%02d%s%s");

size_t WriteInt(char *out, int32_t value, bool twoDigits) {
    char digits[12];
    int n = 0;
    uint32_t v = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    // printf's %02d pads the whole field, sign included: -5 is "-5".
    size_t len = 0;
    if (value < 0)
        out[len++] = '-';
    else if (twoDigits && n < 2)
        out[len++] = '0';
    while (n > 0)
        out[len++] = digits[--n];
    return len;
}

size_t Run(const Plan &plan, const Arg *args, int argCount, char *out, size_t cap) {
    if (cap == 0)
        return 0;
    size_t len = 0;
    const size_t last = cap - 1;
    int argIndex = 0;
    for (int i = 0; i < plan.count && len < last; ++i) {
        const Piece &piece = plan.pieces[i];
        size_t n = piece.litLen;
        if (n > last - len)
            n = last - len;
        std::memcpy(out + len, plan.lit + piece.litOffset, n);
        len += n;
        if (piece.conv == Conv::None)
            continue;
        if (argIndex >= argCount)
            break;
        const Arg &arg = args[argIndex++];
        if (piece.conv == Conv::Text) {
            if (!arg.isText || arg.s == nullptr)
                continue;
            for (const char *s = arg.s; *s && len < last; ++s)
                out[len++] = *s;
        } else if (!arg.isText) {
            char digits[12];
            size_t d = WriteInt(digits, arg.i, piece.conv == Conv::Int2);
            if (d > last - len)
                d = last - len;
            std::memcpy(out + len, digits, d);
            len += d;
        }
    }
    out[len] = '\0';
    return len;
}

} // namespace fmt
