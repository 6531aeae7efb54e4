// Host stand-in for the profile (WIN.INI) the library reads its settings
// from.
//
// The profile comes from one of three places: the built-in default (the
// usual United States settings), an INI file (named by KALDER_WININI or by a
// test), or an in-memory copy that tests edit key by key.  A file is read
// afresh on every lookup, as the system reads WIN.INI, so edits made to it
// while the library runs are seen; only its first MiB is read.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/host/host_control.h"
#include "platform/host/host_state.h"
#include "platform/platform.h"

namespace {

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

using Profile = std::vector<Entry>;

enum class Source { BuiltIn, File, Memory };

Source source = Source::BuiltIn;
HOST_EARLY std::string profilePath;
HOST_EARLY Profile memory;
bool initialised = false;

HOST_EARLY const Entry kBuiltInProfile[] = {
    {"intl", "iCountry", "1"},
    {"intl", "sCountry", "United States"},
    {"intl", "sLanguage", "enu"},
    {"intl", "sList", ","},
    {"intl", "iMeasure", "1"},
    {"intl", "iDate", "0"},
    {"intl", "sDate", "/"},
    {"intl", "sShortDate", "M/d/yy"},
    {"intl", "sLongDate", "dddd, MMMM dd, yyyy"},
    {"intl", "iTime", "0"},
    {"intl", "sTime", ":"},
    {"intl", "iTLZero", "0"},
    {"intl", "s1159", "AM"},
    {"intl", "s2359", "PM"},
    {"intl", "sThousand", ","},
    {"intl", "sDecimal", "."},
    {"intl", "iDigits", "2"},
    {"intl", "iLZero", "0"},
    {"intl", "sCurrency", "$"},
    {"intl", "iCurrency", "0"},
    {"intl", "iCurrDigits", "2"},
    {"intl", "iNegCurr", "0"},
};

bool SameText(const std::string &a, const std::string &b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Where text is left once its surrounding blanks are dropped: [first, last).
void TrimmedRange(const std::string &text, size_t &first, size_t &last) {
    first = 0;
    last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
}

std::string Trim(const std::string &text) {
    size_t first = 0;
    size_t last = 0;
    TrimmedRange(text, first, last);
    return text.substr(first, last - first);
}

// A line is taken 1023 characters at most at a time, and ends at its first
// NUL.
Profile ParseIni(const std::string &text) {
    constexpr size_t kLineMax = 1023;
    Profile profile;
    std::string section;
    for (size_t at = 0; at < text.size();) {
        const size_t newline = text.find('\n', at);
        const size_t end =
            std::min(newline == std::string::npos ? text.size() : newline + 1, at + kLineMax);
        const std::string line = Trim(text.substr(at, end - at).c_str());
        at = end;
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            section =
                Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        profile.push_back({section, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
    return profile;
}

Profile BuiltInProfile() { return Profile(std::begin(kBuiltInProfile), std::end(kBuiltInProfile)); }

// At most this much of a profile file is read: a WIN.INI is a few
// kilobytes, and a device or a pipe that never ends must not stall the
// load.
constexpr size_t kProfileFileMax = size_t{1} << 20;

// Whether what is wrong with the file KALDER_WININI names is still to be
// said (once after the name is read): the library itself would only say
// that the settings cannot be read, without naming the file.
bool noteDue = false;

void Note(const std::string &problem) {
    if (!noteDue)
        return;
    noteDue = false;
    std::fprintf(stderr, "kalder32: KALDER_WININI=%s %s\n", profilePath.c_str(), problem.c_str());
}

// A file that cannot be read is an empty profile, as a missing WIN.INI is.
Profile ReadFileProfile() {
    constexpr char kEmpty[] = "the settings are read as from an empty WIN.INI";
    std::FILE *file = std::fopen(profilePath.c_str(), "rb");
    if (!file) {
        Note(std::string("cannot be opened (") + std::strerror(errno) + "); " + kEmpty);
        return {};
    }
    std::string text;
    char chunk[4096];
    size_t got = 0;
    while (text.size() <= kProfileFileMax && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        Note(std::string("cannot be read (") + std::strerror(error) + "); " + kEmpty);
        return {};
    }
    if (text.size() > kProfileFileMax) {
        Note("is larger than 1 MiB; only its first 1 MiB is read");
        text.resize(kProfileFileMax);
    }
    return ParseIni(text);
}

void UseDefaultSource() {
    const char *named = std::getenv("KALDER_WININI");
    if (named && *named) {
        source = Source::File;
        profilePath = named;
        noteDue = true;
    } else {
        source = Source::BuiltIn;
        profilePath.clear();
        noteDue = false;
    }
    memory.clear();
}

void EnsureInitialised() {
    if (!initialised) {
        UseDefaultSource();
        initialised = true;
    }
}

Profile ProfileInForce() {
    EnsureInitialised();
    switch (source) {
    case Source::BuiltIn:
        return BuiltInProfile();
    case Source::File:
        return ReadFileProfile();
    case Source::Memory:
        return memory;
    }
    return {};
}

const Entry *FindIn(const Entry *first, const Entry *last, const char *section, const char *key) {
    for (const Entry *entry = first; entry != last; ++entry) {
        if (SameText(entry->section, section) && SameText(entry->key, key))
            return entry;
    }
    return nullptr;
}

unsigned CopyOut(const char *text, size_t length, char *out, unsigned size) {
    if (size == 0)
        return 0;
    if (length > size - 1)
        length = size - 1;
    std::memcpy(out, text, length);
    out[length] = '\0';
    return static_cast<unsigned>(length);
}

unsigned CopyOut(const std::string &text, char *out, unsigned size) {
    return CopyOut(text.data(), text.size(), out, size);
}

// The value as the system hands it back: without its surrounding blanks and
// without one pair of enclosing double quotes.
unsigned CopyValue(const std::string &value, char *out, unsigned size) {
    size_t first = 0;
    size_t last = 0;
    TrimmedRange(value, first, last);
    if (last - first >= 2 && value[first] == '"' && value[last - 1] == '"') {
        ++first;
        --last;
    }
    return CopyOut(value.data() + first, last - first, out, size);
}

} // namespace

namespace host::detail {
void ResetProfile() {
    UseDefaultSource();
    initialised = true;
}
} // namespace host::detail

namespace host {

void SetProfileFile(const char *path) {
    if (!path) {
        UseDefaultSource();
    } else {
        source = Source::File;
        profilePath = path;
        noteDue = false;
        memory.clear();
    }
    initialised = true;
}

void SetProfileKey(const char *section, const char *key, const char *value) {
    if (source != Source::Memory || !initialised) {
        memory = ProfileInForce();
        source = Source::Memory;
    }
    for (auto it = memory.begin(); it != memory.end(); ++it) {
        if (SameText(it->section, section) && SameText(it->key, key)) {
            if (value)
                it->value = value;
            else
                memory.erase(it);
            return;
        }
    }
    if (value)
        memory.push_back({section, key, value});
}

} // namespace host

namespace plat {

unsigned ProfileString(const char *section, const char *key, const char *def, char *out,
                       unsigned size) {
    // The built-in and the edited profile are read where they are, without
    // a copy: a refresh frozen anywhere in here then holds no allocator
    // lock that another thread's refresh needs.
    EnsureInitialised();
    Profile fromFile;
    const Profile *profile = &memory;
    if (source == Source::File) {
        fromFile = ReadFileProfile();
        profile = &fromFile;
    }
    const Entry *entry =
        source == Source::BuiltIn
            ? FindIn(std::begin(kBuiltInProfile), std::end(kBuiltInProfile), section, key)
            : FindIn(profile->data(), profile->data() + profile->size(), section, key);
    if (!entry)
        return CopyOut(def ? def : "", out, size);
    return CopyValue(entry->value, out, size);
}

} // namespace plat
