#include "modern/intl_text.h"

#include "text/ascii_compare.h"

namespace modern {

namespace {

struct Span {
    const char *at;
    size_t length;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

Span Trim(Span s) {
    while (s.length > 0 && IsBlank(s.at[0])) {
        ++s.at;
        --s.length;
    }
    while (s.length > 0 && IsBlank(s.at[s.length - 1]))
        --s.length;
    return s;
}

bool SameKey(Span name, const char *key) {
    size_t i = 0;
    for (; i < name.length; ++i) {
        if (key[i] == '\0' || AsciiLower(name.at[i]) != AsciiLower(key[i]))
            return false;
    }
    return key[i] == '\0';
}

// A section line's name, without its brackets.
Span SectionName(Span line) {
    Span name{line.at + 1, line.length - 1};
    for (size_t i = 0; i < name.length; ++i) {
        if (name.at[i] == ']') {
            name.length = i;
            break;
        }
    }
    return Trim(name);
}

} // namespace

bool FindIntlKey(const char *text, size_t length, const char *key, const char **value,
                 size_t *valueLength) {
    bool firstLine = true;
    for (size_t at = 0; at < length;) {
        size_t end = at;
        while (end < length && text[end] != '\n')
            ++end;
        const Span line = Trim(Span{text + at, end - at});
        at = end + 1;
        if (line.length == 0 || line.at[0] == ';')
            continue;
        if (line.at[0] == '[') {
            if (!firstLine || !SameKey(SectionName(line), "intl"))
                return false;
            firstLine = false;
            continue;
        }
        firstLine = false;
        size_t equals = 0;
        while (equals < line.length && line.at[equals] != '=')
            ++equals;
        if (equals == line.length || !SameKey(Trim(Span{line.at, equals}), key))
            continue;
        Span found = Trim(Span{line.at + equals + 1, line.length - equals - 1});
        if (found.length >= 2 && found.at[0] == '"' && found.at[found.length - 1] == '"')
            found = Span{found.at + 1, found.length - 2};
        *value = found.at;
        *valueLength = found.length;
        return true;
    }
    return false;
}

} // namespace modern
