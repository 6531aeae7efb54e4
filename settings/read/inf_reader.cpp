// Reading a value from a Windows 3.x INF file.
//
// An INF file has bracketed section headers and lines whose key is quoted:
//     [country]
//     "United States"="1!...!M/d/yy!dddd, MMMM dd, yyyy"
// The value starts after the first double quote that follows the key's
// closing quote and runs to the end of the line as read, closing quote and
// line end included; the caller trims what it does not want.
#include <cstdio>
#include <cstring>

#include "settings/read/inf_reader.h"

#include "platform/platform.h"
#include "text/ascii_compare.h"
#include "text/limited_text.h"

namespace {

constexpr size_t kPathArea = 100; // 99 characters and the terminator
constexpr int kLineArea = 256;
constexpr int kLineRead = 255; // one read stores at most 254 characters

bool IsSectionHeader(const char *line, const char *section, size_t sectionLength) {
    return line[0] == '[' && SameTextN(line + 1, section, sectionLength) &&
           line[1 + sectionLength] == ']';
}

// The position just past the key's closing quote, or nullptr when the line
// is not the quoted key.
const char *AfterQuotedKey(const char *line, const char *key, size_t keyLength) {
    if (line[0] != '"' || !SameTextN(line + 1, key, keyLength) || line[1 + keyLength] != '"')
        return nullptr;
    return line + 2 + keyLength;
}

bool FindHeader(std::FILE *file, char *line, const char *section, size_t sectionLength) {
    while (std::fgets(line, kLineRead, file)) {
        if (IsSectionHeader(line, section, sectionLength))
            return true;
    }
    return false;
}

// Looks through the rest of the file (not only to the next header) for the
// key's line.  A key line with no quote after the key has no value: the
// default stands.
bool CopyKeyValue(std::FILE *file, char *line, const char *key, size_t keyLength, char *out,
                  int limit) {
    while (std::fgets(line, kLineRead, file)) {
        const char *afterKey = AfterQuotedKey(line, key, keyLength);
        if (!afterKey)
            continue;
        const char *quote = std::strchr(afterKey, '"');
        if (!quote)
            return false;
        CopyLimited(out, quote + 1, limit);
        return true;
    }
    return false;
}

bool ReadValue(const char *section, const char *key, char *out, int limit, const char *path) {
    if (std::strlen(path) >= kPathArea)
        return false; // a path that does not fit is as good as no file
    char pathArea[kPathArea];
    std::memcpy(pathArea, path, std::strlen(path) + 1);

    std::FILE *file = plat::OpenTextFile(pathArea);
    if (!file)
        return false;
    char line[kLineArea];
    bool found = FindHeader(file, line, section, std::strlen(section)) &&
                 CopyKeyValue(file, line, key, std::strlen(key), out, limit);
    std::fclose(file);
    return found;
}

} // namespace

void FindInfValue(const char *section, const char *key, const char *def, char *out, int limit,
                  const char *path) {
    if (!ReadValue(section, key, out, limit, path))
        CopyLimited(out, def, limit);
}

const char *NextField(const char *cursor, const char *delimiters, char *out, int limit) {
    if (limit < 1)
        return nullptr;
    int copied = 0;
    const char *p = cursor;
    for (;; ++p) {
        if (*p == '\0') {
            out[copied] = '\0';
            return nullptr;
        }
        if (std::strchr(delimiters, *p)) {
            out[copied] = '\0';
            return p + 1;
        }
        if (copied == limit - 1) {
            out[copied] = '\0';
            return p; // the rest is read as the next field
        }
        out[copied++] = *p;
    }
}
