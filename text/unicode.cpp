#include "text/unicode.h"

#include <cstring>

namespace uni {

namespace {

// The bounds of a lead byte's first continuation byte, which rule out
// overlong forms (E0, F0), surrogates (ED) and values past U+10FFFF (F4).
struct Lead {
    uint8_t continuations;
    uint8_t low;
    uint8_t high;
};

Lead LeadOf(unsigned char c) {
    if (c < 0x80)
        return Lead{0, 0, 0};
    if (c < 0xC2)
        return Lead{0xFF, 0, 0}; // a continuation byte or an overlong lead
    if (c < 0xE0)
        return Lead{1, 0x80, 0xBF};
    if (c < 0xF0)
        return Lead{2, c == 0xE0 ? uint8_t{0xA0} : uint8_t{0x80},
                    c == 0xED ? uint8_t{0x9F} : uint8_t{0xBF}};
    if (c < 0xF5)
        return Lead{3, c == 0xF0 ? uint8_t{0x90} : uint8_t{0x80},
                    c == 0xF4 ? uint8_t{0x8F} : uint8_t{0xBF}};
    return Lead{0xFF, 0, 0};
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u < 0xDC00; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u < 0xE000; }

} // namespace

bool IsUtf8(const char *text, size_t length) {
    const auto *p = reinterpret_cast<const unsigned char *>(text);
    for (size_t i = 0; i < length;) {
        const Lead lead = LeadOf(p[i]);
        if (lead.continuations == 0) {
            ++i;
            continue;
        }
        if (lead.continuations == 0xFF || length - i <= lead.continuations)
            return false;
        if (p[i + 1] < lead.low || p[i + 1] > lead.high)
            return false;
        for (size_t k = 2; k <= lead.continuations; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += 1 + lead.continuations;
    }
    return true;
}

size_t PutBounded(const char *text, size_t length, char *out, size_t size) {
    if (size == 0)
        return length;
    const size_t n = WholePrefix(text, length, size - 1);
    std::memcpy(out, text, n);
    out[n] = '\0';
    return length;
}

size_t PutBounded(const char16_t *text, size_t length, char16_t *out, size_t size) {
    if (size == 0)
        return length;
    size_t n = length < size - 1 ? length : size - 1;
    if (n < length && n > 0 && IsHighSurrogate(text[n - 1]))
        --n;
    std::memcpy(out, text, n * sizeof *text);
    out[n] = u'\0';
    return length;
}

ptrdiff_t Utf8FromUtf16(const char16_t *text, size_t length, char *out, size_t cap) {
    size_t at = 0;
    auto put = [&](uint32_t byte) {
        if (at < cap)
            out[at] = static_cast<char>(byte);
        ++at;
    };
    for (size_t i = 0; i < length; ++i) {
        uint32_t c = text[i];
        if (IsLowSurrogate(text[i]))
            return -1;
        if (IsHighSurrogate(text[i])) {
            if (i + 1 == length || !IsLowSurrogate(text[i + 1]))
                return -1;
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        }
        if (c < 0x80) {
            put(c);
        } else if (c < 0x800) {
            put(0xC0 | c >> 6);
            put(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            put(0xE0 | c >> 12);
            put(0x80 | (c >> 6 & 0x3F));
            put(0x80 | (c & 0x3F));
        } else {
            put(0xF0 | c >> 18);
            put(0x80 | (c >> 12 & 0x3F));
            put(0x80 | (c >> 6 & 0x3F));
            put(0x80 | (c & 0x3F));
        }
    }
    return static_cast<ptrdiff_t>(at);
}

size_t PutUtf8OfUtf16(const char16_t *text, size_t length, char *out, size_t size) {
    if (size == 0)
        return 0;
    // Converted straight into out, the text may end in part of a character
    // at out[size - 1]; the prefix below size - 1 is cut between characters.
    const ptrdiff_t whole = Utf8FromUtf16(text, length, out, size);
    const size_t kept = whole < 0 ? 0 : WholePrefix(out, static_cast<size_t>(whole), size - 1);
    out[kept] = '\0';
    return kept;
}

size_t Utf16FromUtf8(const char *text, size_t length, char16_t *out, size_t cap) {
    const auto *p = reinterpret_cast<const unsigned char *>(text);
    size_t at = 0;
    auto put = [&](uint32_t unit) {
        if (at < cap)
            out[at] = static_cast<char16_t>(unit);
        ++at;
    };
    for (size_t i = 0; i < length;) {
        uint32_t c = p[i];
        size_t more = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        c &= more == 0 ? 0x7F : 0x3F >> more;
        for (size_t k = 1; k <= more && i + k < length; ++k)
            c = c << 6 | (p[i + k] & 0x3Fu);
        i += 1 + more;
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    return at;
}

size_t Length(const char16_t *text) {
    size_t n = 0;
    while (text[n] != u'\0')
        ++n;
    return n;
}

} // namespace uni
