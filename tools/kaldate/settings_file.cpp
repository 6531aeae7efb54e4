#include "settings_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "encoding.h"
#include "kaldate.h"

namespace kaldate {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A WIN.INI is a few kilobytes; a larger file is not one.
constexpr size_t kLargest = size_t{1} << 20;

// Reads the whole file, a pipe too, but no more than kLargest bytes; false
// with a message that names the file when it cannot be read or is larger.
bool ReadBounded(const std::string &path, std::string &text, std::string &error) {
    const std::string name = Shown(sys::ArgumentText(path));
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot read the settings file " + name + ": " + std::strerror(errno);
        return false;
    }
    char chunk[4096];
    size_t got = 0;
    while (text.size() <= kLargest && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    const int reason = errno;
    std::fclose(file);
    if (failed)
        error = "cannot read the settings file " + name + ": " + std::strerror(reason);
    else if (text.size() > kLargest)
        error = "the settings file " + name + " is larger than 1 MiB, too large for a WIN.INI";
    return error.empty();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Whether line, blanks around it dropped, is the "[intl]" section line (any
// case, blanks inside the brackets allowed).
bool IsIntlLine(std::string line) {
    while (!line.empty() && IsBlank(line.back()))
        line.pop_back();
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '[' || line.back() != ']')
        return false;
    std::string name;
    for (char c : line.substr(at + 1, line.size() - at - 2))
        if (!IsBlank(c))
            name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return name == "intl";
}

// The file's "intl" section from its section line on (the library reads up
// to the next section), or nothing when it has none.
std::string IntlSection(const std::string &text) {
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        if (IsIntlLine(text.substr(at, end - at)))
            return text.substr(at);
        at = end + 1;
    }
    return std::string();
}

} // namespace

bool ReadSettingsFile(const std::string &path, std::string &text, std::string &error) {
    text.clear();
    if (!ReadBounded(path, text, error))
        return false;
    if (text.rfind(kByteOrderMark, 0) == 0)
        text.erase(0, 3);
    else if (!IsUtf8(text))
        text = Cp1252ToUtf8(text);
    text = IntlSection(text);
    return true;
}

} // namespace kaldate
