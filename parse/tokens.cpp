#include "parse/tokens.h"

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
        // else is left to the caller's full conversion.
        uint32_t value = 0;
        int digits = 0;
        bool plain = true;
        for (; i < last; ++i) {
            const char c = text[i];
            const CharClass k = set.Of(c);
            if (k >= kDelimiter)
                break;
            area[i] = c;
            if (k == kDigit && digits < 9) {
                value = value * 10 + static_cast<unsigned>(c - '0');
                ++digits;
            } else {
                plain = false;
            }
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
