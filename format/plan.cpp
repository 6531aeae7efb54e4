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

[[gnu::always_inline]] inline char *PutNumber(char *p, char *end, int32_t value, bool twoDigits) {
    if (end - p >= kIntRoom)
        return PutInt(p, value, twoDigits);
    // Near the end of the area: write aside, keep what fits.
    char digits[kIntRoom];
    const char *last = PutInt(digits, value, twoDigits);
    for (const char *d = digits; d < last && p < end; ++d)
        *p++ = *d;
    return p;
}

[[gnu::always_inline]] inline char *PutText(char *p, char *end, const Arg &arg) {
    if (arg.padded && arg.len <= 16 && end - p >= 16) {
        std::memcpy(p, arg.s, 16);
        return p + arg.len;
    }
    return PutBounded(p, end, arg.s, arg.len);
}

// The conversion of one slot with its argument.
[[gnu::always_inline]] inline char *PutConversion(char *p, char *end, Conv conv, const Arg &arg) {
    if (conv == Conv::Text) {
        if (arg.isText && arg.s != nullptr)
            return PutText(p, end, arg);
        return p;
    }
    if (arg.isText)
        return p;
    return PutNumber(p, end, arg.i, conv == Conv::Int2);
}

// Any plan, literal pieces of any length.
size_t RunPieces(const Plan &plan, const Arg *args, int argCount, char *out, size_t cap) {
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

// A conversion into scratch, where everything fits: a number takes at
// most 12 bytes, a text at most max(16, kScratchText).
[[gnu::always_inline]] inline char *PutScratchConversion(char *p, Conv conv, const Arg &arg) {
    if (conv == Conv::Text) {
        if (!arg.isText || arg.s == nullptr)
            return p;
        if (arg.padded && arg.len <= 16) {
            std::memcpy(p, arg.s, 16);
            return p + arg.len;
        }
        const size_t len = arg.len < kScratchText ? arg.len : kScratchText;
        CopySmall(p, arg.s, len);
        return p + len;
    }
    if (arg.isText)
        return p;
    return PutInt(p, arg.i, conv == Conv::Int2);
}

} // namespace

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

size_t RunToScratch(const Plan &plan, const Arg *args, int argCount, char *scratch) {
    // Every slot but a trailing literal holds a conversion, so slot i takes
    // argument i.
    char *p = scratch;
    for (int i = 0; i < plan.count; ++i) {
        const Slot &slot = plan.slots[i];
        std::memcpy(p, slot.lit, sizeof slot.lit);
        p += slot.litLen;
        if (slot.conv == Conv::None)
            continue;
        if (i >= argCount)
            break;
        p = PutScratchConversion(p, slot.conv, args[i]);
    }
    return static_cast<size_t>(p - scratch);
}

size_t Run(const Plan &plan, const Arg *args, int argCount, char *out, size_t cap) {
    if (cap == 0)
        return 0;
    if (!plan.straight || cap > kScratchText + 1)
        return RunPieces(plan, args, argCount, out, cap);
    char scratch[kScratchSize];
    size_t len = RunToScratch(plan, args, argCount, scratch);
    if (len > cap - 1)
        len = cap - 1;
    CopySmall(out, scratch, len);
    out[len] = '\0';
    return len;
}

} // namespace fmt
