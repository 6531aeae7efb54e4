#include "output.h"

#include <cstdio>

#include "kaldate.h"

namespace kaldate {

std::string JsonString(const std::string &text) {
    std::string out = "\"";
    for (char c : text) {
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

void PrintLine(const std::string &text) { sys::Write(stdout, text + "\n"); }

void PrintJson(const JsonObject &object) { sys::Write(stdout, object.Text() + "\n"); }

int EachInputLine(const std::function<int(const std::string &text)> &run) {
    constexpr size_t kLongest = 1024;
    int worst = kExitOk;
    std::string line;
    bool more = true;
    while (more) {
        line.clear();
        int c = 0;
        while ((c = std::getchar()) != EOF && c != '\n')
            if (line.size() < kLongest)
                line += static_cast<char>(c);
        more = c != EOF;
        if (!more && line.empty())
            break;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const int status = run(sys::ArgumentText(line));
        worst = status > worst ? status : worst;
        std::fflush(stdout);
    }
    return worst;
}

} // namespace kaldate
