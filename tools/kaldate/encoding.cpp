#include "encoding.h"

#include <cstdint>

namespace kaldate {
namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252 (0 where unassigned);
// the other bytes above 0x7F are the same as Latin-1.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string &out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// How many continuation bytes follow a lead byte; -1 for a byte that cannot
// start a sequence.
int ContinuationCount(unsigned char lead) {
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

// Reads the character at text[pos] into code and moves pos past it; false
// where the bytes are not well-formed UTF-8 (overlong forms and surrogates
// included).
bool ReadUtf8(const std::string &text, size_t &pos, unsigned &code) {
    constexpr unsigned kLeast[] = {0, 0x80, 0x800, 0x10000};
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    const int extra = ContinuationCount(lead);
    if (extra < 0 || pos + extra >= text.size())
        return false;
    code = extra == 0 ? lead : lead & (0x3Fu >> extra);
    for (int i = 1; i <= extra; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return false;
        code = code << 6 | (next & 0x3F);
    }
    if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    pos += extra + 1;
    return true;
}

} // namespace

std::string Cp1252ToUtf8(const std::string &text) {
    std::string out;
    for (unsigned char byte : text) {
        unsigned code = byte;
        if (byte >= 0x80 && byte < 0xA0)
            code = kCp1252High[byte - 0x80] ? kCp1252High[byte - 0x80] : 0xFFFD;
        AppendUtf8(out, code);
    }
    return out;
}

bool IsUtf8(const std::string &text) {
    unsigned code = 0;
    for (size_t pos = 0; pos < text.size();)
        if (!ReadUtf8(text, pos, code))
            return false;
    return true;
}

size_t CharacterCount(const std::string &text) {
    size_t count = 0;
    for (unsigned char byte : text)
        count += (byte & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

std::string FirstCharacters(const std::string &text, size_t count) {
    size_t end = 0;
    for (size_t seen = 0; end < text.size(); ++end) {
        const bool starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
        if (starts && seen++ == count)
            break;
    }
    return text.substr(0, end);
}

} // namespace kaldate
