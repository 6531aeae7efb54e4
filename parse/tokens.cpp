#include "parse/tokens.h"

#include <cstring>

namespace tok {

void FillDelimiters(char *area, size_t areaSize, const char *fixed, const char *separator,
                    size_t separatorMax, DelimiterSet *set) {
    std::memset(set->bits, 0, sizeof set->bits);
    size_t len = 0;
    auto add = [&](char c) {
        area[len++] = c;
        const auto u = static_cast<unsigned char>(c);
        set->bits[u >> 5] |= 1u << (u & 31);
    };
    for (const char *p = fixed; *p && len + 1 < areaSize; ++p)
        add(*p);
    for (size_t i = 0; i < separatorMax && separator[i] && len + 1 < areaSize; ++i)
        add(separator[i]);
    area[len] = '\0';
}

void CopyTyped(char *area, size_t areaSize, const char *text) {
    size_t len = 0;
    if (text != nullptr) {
        for (; len + 1 < areaSize && text[len]; ++len)
            area[len] = text[len];
    }
    area[len] = '\0';
}

int CutTokens(char *area, const DelimiterSet &set, char **tokens, int max) {
    int count = 0;
    char *p = area;
    while (count < max) {
        while (*p && set.Has(static_cast<unsigned char>(*p)))
            ++p;
        if (*p == '\0')
            break;
        tokens[count++] = p;
        while (*p && !set.Has(static_cast<unsigned char>(*p)))
            ++p;
        if (*p == '\0')
            break;
        *p++ = '\0';
    }
    return count;
}

} // namespace tok
