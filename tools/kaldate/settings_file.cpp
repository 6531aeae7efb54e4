#include "settings_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "encoding.h"
#include "kaldate.h"
#include "platform/host/host_control.h"

namespace kaldate {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string copyPath; // the Windows-1252 copy, removed at exit

void RemoveCopy() { std::remove(copyPath.c_str()); }

bool ReadWhole(const std::string &path, std::string &text) {
    std::ifstream file(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

// Writes text to a new file of this run's own in the temporary folder.
bool WriteCopy(const std::string &text) {
    std::string name = (std::filesystem::temp_directory_path() / "kaldate-ini-XXXXXX").string();
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0)
        return false;
    copyPath = name;
    std::atexit(RemoveCopy);
    std::FILE *file = fdopen(descriptor, "wb");
    if (!file) {
        close(descriptor);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// The keys of the "intl" section that GetWinDateFormat reads on every
// attach (sCountry only when there is no short-date picture, with a default).
constexpr const char *kIntlKeys[] = {"sThousand", "sDecimal",   "sDate",
                                     "sTime",     "sShortDate", "sLongDate"};

// Those of them that the profile in force lacks, looked up as the library
// looks them up: a default that no file holds stands for a missing key.
std::string MissingIntlKeys() {
    constexpr char kMissing[] = "\x01";
    std::string missing;
    for (const char *key : kIntlKeys) {
        char value[sizeof kMissing] = {};
        plat::ProfileString("intl", key, kMissing, value, sizeof value);
        if (std::string(value) == kMissing)
            missing += (missing.empty() ? "" : ", ") + std::string(key);
    }
    return missing;
}

// Makes the profile the text of the file, in Windows-1252.
bool UseText(const std::string &path, std::vector<std::string> &notes, std::string &error) {
    host::SetProfileFile(path.c_str());
    std::string text;
    if (!ReadWhole(path, text))
        return true; // as a missing WIN.INI: the library reads nothing
    const bool marked = text.rfind(kByteOrderMark, 0) == 0;
    if (marked)
        text.erase(0, 3);
    if (!marked && (IsAscii(text) || !IsUtf8(text)))
        return true;
    int lost = 0;
    if (!WriteCopy(Utf8ToCp1252(text, lost))) {
        error = "cannot make a Windows-1252 copy of the settings file " +
                sys::ArgumentText(path.c_str());
        return false;
    }
    host::SetProfileFile(copyPath.c_str());
    if (lost > 0)
        notes.push_back(sys::ArgumentText(path.c_str()) + ": Windows-1252 lacks " +
                        std::to_string(lost) + " of its characters, which read as ?");
    return true;
}

} // namespace

bool UseSettingsFile(const std::string &path, std::vector<std::string> &notes, std::string &error) {
    if (!UseText(path, notes, error))
        return false;
    if (std::string missing = MissingIntlKeys(); !missing.empty())
        notes.push_back(sys::ArgumentText(path.c_str()) + " has no " + missing +
                        " in [intl]; the library reads what is missing as empty");
    return true;
}

} // namespace kaldate
