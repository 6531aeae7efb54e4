#include "output.h"

#include <cstdio>

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

std::string JsonString(const std::string &text) {
    std::string out = "\"";
    for (char c : Cp1252ToUtf8(text)) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void JsonObject::Key(const std::string &key) {
    if (!body_.empty())
        body_ += ", ";
    body_ += JsonString(key) + ": ";
}

JsonObject &JsonObject::Str(const std::string &key, const std::string &value) {
    Key(key);
    body_ += JsonString(value);
    return *this;
}

JsonObject &JsonObject::Int(const std::string &key, int64_t value) {
    Key(key);
    body_ += std::to_string(value);
    return *this;
}

JsonObject &JsonObject::Bool(const std::string &key, bool value) {
    Key(key);
    body_ += value ? "true" : "false";
    return *this;
}

JsonObject &JsonObject::Raw(const std::string &key, const std::string &json) {
    Key(key);
    body_ += json;
    return *this;
}

std::string JsonArray(const std::vector<std::string> &elements) {
    std::string out = "[";
    for (size_t i = 0; i < elements.size(); ++i)
        out += (i ? ", " : "") + elements[i];
    return out + "]";
}

void PrintLine(const std::string &text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

} // namespace kaldate
