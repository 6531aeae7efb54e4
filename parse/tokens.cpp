#include "parse/tokens.h"

#include <cstring>

namespace tok {

int CopyAndCut(char *area, size_t areaSize, const char *text, const DelimiterSet &set,
               Token *tokens, int max) {
    if (text == nullptr)
        text = "";
    const size_t last = areaSize - 1;
    size_t i = 0;
    int count = 0;
    while (count < max) {
        for (; i < last && set.Of(text[i]) == kDelimiter; ++i)
            area[i] = text[i];
        if (i == last || text[i] == '\0')
            break;
        Token &token = tokens[count++];
        token.text = area + i;
        // Plain digit tokens, the usual case, are read on the way; anything
        // else is left to the caller's full conversion.  Digits beyond the
        // ninth make the token not plain, so their wrapping does not matter.
        const size_t start = i;
        uint32_t value = 0;
        for (; i < last; ++i) {
            const char c = text[i];
            if (set.Of(c) != kDigit)
                break;
            area[i] = c;
            value = value * 10 + static_cast<uint32_t>(c - '0');
        }
        bool plain = i > start && i - start <= 9;
        if (i < last && set.Of(text[i]) == kOther) {
            plain = false;
            for (; i < last && set.Of(text[i]) < kDelimiter; ++i)
                area[i] = text[i];
        }
        token.value = static_cast<int32_t>(value);
        token.digitsOnly = plain;
        if (i == last || text[i] == '\0')
            break;
        area[i++] = '\0';
    }
    area[i] = '\0';
    return count;
}

} // namespace tok
