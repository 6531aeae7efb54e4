// Prepared formats.
//
// The settings record keeps its printf formats exactly as built, but
// running printf on every call costs far more than the date itself.  When a
// format is built it is also compiled into a plan: literal pieces and the
// conversions between them (%d, %02d, %s).  The formatters run the plan.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fmt {

enum class Conv : uint8_t { None, Int, Int2, Text };

struct Piece {
    uint8_t litOffset; // literal text written before the conversion
    uint8_t litLen;
    Conv conv;
};

struct Plan {
    static constexpr int kMaxPieces = 24;
    Piece pieces[kMaxPieces]{};
    uint8_t count = 0;
    char lit[48]{};
};

// A value for one conversion; a conversion given a value of the other kind,
// or no value at all, writes nothing.
struct Arg {
    bool isText;
    int32_t i;
    const char *s;
};

constexpr Arg IntArg(int32_t v) { return Arg{false, v, nullptr}; }
constexpr Arg TextArg(const char *s) { return Arg{true, 0, s}; }

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
    return plan;
}

// Runs plan with args into out, writing at most cap - 1 characters and a
// NUL; returns the length written.
size_t Run(const Plan &plan, const Arg *args, int argCount, char *out, size_t cap);

// Writes value in decimal (at least two digits when twoDigits) at out, which
// must have room for 12 characters; returns the number of characters.
size_t WriteInt(char *out, int32_t value, bool twoDigits);

// The plans of szShortFmt and szLongFmt, kept in step by the builders.
extern Plan ShortPlan;
extern Plan LongPlan;

} // namespace fmt
