// Prepared formats.
//
// The settings record keeps its printf formats exactly as built, but
// running printf on every call costs far more than the date itself.  When a
// format is built it is also compiled into a plan: literal pieces and the
// conversions between them (%d, %02d, %s).  The formatters run the plan.
//
// Plans the builders make are short: a handful of pieces, each literal a
// few characters.  Those also get a slot form in which every literal sits in
// a 16-byte slot of its own, padded with NULs, which the fast paths of the
// short and the long date read with fixed-size moves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "format/padded_text.h"
#include "text/small_copy.h"

namespace fmt {

enum class Conv : uint8_t { None, Int, Int2, Text };

struct Piece {
    uint8_t litOffset; // literal text written before the conversion
    uint8_t litLen;
    Conv conv;
};

// One piece of the slot form; lit is padded with NULs.
struct Slot {
    char lit[16];
    uint8_t litLen;
    Conv conv;
};

struct Plan {
    static constexpr int kMaxPieces = 24;
    static constexpr int kMaxSlots = 5;
    Piece pieces[kMaxPieces]{};
    uint8_t count = 0;
    char lit[48]{};
    // Set for the short date's shape: three numbers, no trailing literal,
    // every literal at most 8 characters.
    bool threeNumbers = false;
    // Of a plan with slots: bit i set when slot i has a conversion, and when
    // that conversion is %s.
    uint8_t convMask = 0;
    uint8_t textMask = 0;
    // Set for the long date's shape: a plan with slots of four conversions,
    // perhaps followed by a literal.
    bool fourConversions = false;
    Slot slots[kMaxSlots]{};
    // Of a plan with slots: slot i's literal padded (see padded_text.h) at
    // kPadBefore + i * kPaddedStride; the slots past count stay empty.
    char paddedLits[kPadBefore + kMaxSlots * kPaddedStride]{};
    // Of a plan with slots: the length of all its literals.
    uint8_t litTotal = 0;
};

// Slot i's literal as a padded piece, for i below Plan::kMaxSlots.
constexpr PaddedText PaddedLiteral(const Plan &plan, int i) {
    return PaddedText{plan.paddedLits + kPadBefore + static_cast<size_t>(i) * kPaddedStride,
                      plan.slots[i].litLen};
}

// A value for one conversion; a conversion given a value of the other kind,
// or no value at all, writes nothing.  Text carries its length, which must
// be that of s up to its NUL; padded text may be read 16 bytes at a time
// (s lies in an area with at least 16 bytes from s on).
struct Arg {
    const char *s;
    int32_t i;
    uint16_t len;
    bool isText;
    bool padded;
};

constexpr Arg IntArg(int32_t v) { return Arg{nullptr, v, 0, false, false}; }
constexpr Arg TextArg(const char *s, uint16_t len) { return Arg{s, 0, len, true, false}; }
constexpr Arg PaddedTextArg(const char *s, uint16_t len) { return Arg{s, 0, len, true, true}; }

// Fills the slot form of a compiled plan when its pieces fit (at most
// kMaxSlots of them, no literal longer than a slot); the shape flags and
// everything "of a plan with slots" stay unset otherwise.
constexpr void MakeSlots(Plan &plan) {
    if (plan.count > Plan::kMaxSlots)
        return;
    for (int i = 0; i < plan.count; ++i) {
        if (plan.pieces[i].litLen > sizeof plan.slots[i].lit)
            return;
    }
    for (int i = 0; i < plan.count; ++i) {
        const Piece &piece = plan.pieces[i];
        Slot &slot = plan.slots[i];
        for (int k = 0; k < piece.litLen; ++k)
            slot.lit[k] = plan.lit[piece.litOffset + k];
        slot.litLen = piece.litLen;
        slot.conv = piece.conv;
        char *padded = plan.paddedLits + kPadBefore + static_cast<size_t>(i) * kPaddedStride;
        for (int k = 0; k < piece.litLen; ++k)
            padded[k] = slot.lit[k];
        plan.litTotal = static_cast<uint8_t>(plan.litTotal + piece.litLen);
    }
    for (int i = 0; i < plan.count; ++i) {
        if (plan.slots[i].conv != Conv::None)
            plan.convMask = static_cast<uint8_t>(plan.convMask | 1u << i);
        if (plan.slots[i].conv == Conv::Text)
            plan.textMask = static_cast<uint8_t>(plan.textMask | 1u << i);
    }
    plan.fourConversions =
        (plan.count == 4 || (plan.count == 5 && plan.convMask < 16)) && (plan.convMask & 15) == 15;
    plan.threeNumbers = plan.count == 3;
    for (int i = 0; i < plan.count; ++i) {
        const Slot &slot = plan.slots[i];
        if (slot.litLen > 8 || (slot.conv != Conv::Int && slot.conv != Conv::Int2))
            plan.threeNumbers = false;
    }
}

// Compiles a printf format made of literal text, %%, %d, %02d and %s.  Any
// other conversion is kept as literal text.
constexpr Plan Compile(const char *format) {
    Plan plan;
    int litLen = 0;
    uint8_t pieceStart = 0;
    auto addLit = [&](char c) {
        if (litLen < static_cast<int>(sizeof plan.lit))
            plan.lit[litLen++] = c;
    };
    auto close = [&](Conv conv) {
        if (plan.count < Plan::kMaxPieces) {
            plan.pieces[plan.count++] =
                Piece{pieceStart, static_cast<uint8_t>(litLen - pieceStart), conv};
        }
        pieceStart = static_cast<uint8_t>(litLen);
    };
    for (const char *p = format; *p;) {
        if (p[0] != '%') {
            addLit(*p++);
        } else if (p[1] == '%') {
            addLit('%');
            p += 2;
        } else if (p[1] == 'd') {
            close(Conv::Int);
            p += 2;
        } else if (p[1] == 's') {
            close(Conv::Text);
            p += 2;
        } else if (p[1] == '0' && p[2] == '2' && p[3] == 'd') {
            close(Conv::Int2);
            p += 4;
        } else {
            addLit(*p++);
        }
    }
    if (litLen > pieceStart)
        close(Conv::None);
    MakeSlots(plan);
    return plan;
}

// Runs plan with args into out, writing at most cap - 1 characters and a
// NUL; returns the length written.  The text is the plan's full text cut to
// fit.  This is the one general way of running a plan: the short and the
// long date take it for any plan or value their fast paths do not cover.
size_t Run(const Plan &plan, const Arg *args, int argCount, char *out, size_t cap);

// The decimal number writer of every formatter.
//
// "00" to "99": two digits per lookup instead of one division each.
struct DigitPairs {
    char text[200];
    constexpr DigitPairs() : text{} {
        for (int i = 0; i < 100; ++i) {
            text[2 * i] = static_cast<char>('0' + i / 10);
            text[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
inline constexpr DigitPairs kPairs;

// The value below 100 with two digits, or with one when it has only one and
// no leading zero is wanted; always stores two bytes.  Returns the new end.
inline char *PutPair(char *out, uint32_t value, bool twoDigits) {
    const char *pair = kPairs.text + 2 * value;
    const bool one = value < 10 && !twoDigits;
    out[0] = one ? pair[1] : pair[0];
    out[1] = pair[1];
    return out + (one ? 1 : 2);
}

// Any value, a digit at a time: the rest of PutDecimal.
char *PutDecimalByDivision(char *out, int32_t value, bool twoDigits);

// Writes value as printf's %d prints it, or %02d when twoDigits, at out,
// which must have room for 12 characters (values below 10000 store at most
// 4 bytes); returns the end of what it wrote.  Values below 10000 go
// through the two-digit table.
inline char *PutDecimal(char *out, int32_t value, bool twoDigits) {
    const auto v = static_cast<uint32_t>(value);
    if (v < 100)
        return PutPair(out, v, twoDigits);
    if (v < 10000)
        return PutPair(PutPair(out, v / 100, false), v % 100, true);
    return PutDecimalByDivision(out, value, twoDigits);
}

// The short date's fast path: a plan of three numbers (threeNumbers), the
// shape of every short format the builder makes, with values of at most
// five digits each, written into out, which must have 40 bytes: the text
// has at most 3 * 8 + 15 characters, and each literal is moved as a fixed
// 8 bytes within those 40.  Returns the length; the same text as Run's
// (tests/host/fast_paths_test.cpp holds them to it).
inline size_t RunThreeNumbers(const Plan &plan, uint16_t a, uint16_t b, uint16_t c, char *out) {
    const uint16_t values[3] = {a, b, c};
    char *p = out;
    for (int i = 0; i < 3; ++i) {
        const Slot &slot = plan.slots[i];
        std::memcpy(p, slot.lit, 8);
        p = PutDecimal(p + slot.litLen, values[i], slot.conv == Conv::Int2);
    }
    *p = '\0';
    return static_cast<size_t>(p - out);
}

// CopySmall, shared with the parsers.
using ::CopySmall;

} // namespace fmt
