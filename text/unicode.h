// UTF-8 and UTF-16: checking, converting, and cutting text only between
// whole characters.
#pragma once

#include <cstddef>
#include <cstdint>

namespace uni {

// Whether text[0, length) is well-formed UTF-8: no stray continuation
// byte, no overlong form, no surrogate, nothing above U+10FFFF.
bool IsUtf8(const char *text, size_t length);

// The longest prefix of the UTF-8 text[0, length) that ends between whole
// characters and has at most limit bytes.
inline size_t WholePrefix(const char *text, size_t length, size_t limit) {
    if (length <= limit)
        return length;
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

// Writes text[0, length) into out as snprintf would, cut between whole
// characters: the longest prefix that fits size - 1 bytes and a terminator
// (nothing when size is 0).  Returns length.
size_t PutBounded(const char *text, size_t length, char *out, size_t size);

// The same for UTF-16: never cuts between the halves of a surrogate pair.
size_t PutBounded(const char16_t *text, size_t length, char16_t *out, size_t size);

// Converts UTF-16 to UTF-8 into out (cap bytes; nothing is written beyond
// it): the length of the whole UTF-8 text, which may exceed cap, or -1 when
// text holds a half surrogate pair.
ptrdiff_t Utf8FromUtf16(const char16_t *text, size_t length, char *out, size_t cap);

// Converts UTF-16 to UTF-8 into out as PutBounded writes: the longest
// prefix of whole characters that fits size - 1 bytes, and a terminator
// (nothing when size is 0).  Returns the length written; 0 for text with
// a half surrogate pair.
size_t PutUtf8OfUtf16(const char16_t *text, size_t length, char *out, size_t size);

// Converts well-formed UTF-8 to UTF-16 into out (cap units): the number of
// units of the whole text, which may exceed cap.
size_t Utf16FromUtf8(const char *text, size_t length, char16_t *out, size_t cap);

// The length up to the terminator.
size_t Length(const char16_t *text);

} // namespace uni
