#include "settings_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "encoding.h"
#include "kaldate.h"
#include "platform/host/host_control.h"

namespace kaldate {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string copyPath; // the Windows-1252 copy, removed at exit

void RemoveCopy() { std::remove(copyPath.c_str()); }

// A WIN.INI is a few kilobytes; a larger file is not one.
constexpr size_t kLargest = size_t{1} << 20;

// Reads the whole file, a pipe too, but no more than kLargest bytes; false
// with a message that names the file when it cannot be read or is larger.
bool ReadBounded(const std::string &path, std::string &text, std::string &error) {
    const std::string name = Shown(sys::ArgumentText(path.c_str()));
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

// Makes the profile the text of the file, in Windows-1252: the library
// reads the copy made for the run, so that a pipe is read once and the
// file is read as it was checked.
bool UseText(const std::string &path, std::vector<std::string> &notes, std::string &error) {
    std::string text;
    if (!ReadBounded(path, text, error))
        return false;
    const bool marked = text.rfind(kByteOrderMark, 0) == 0;
    if (marked)
        text.erase(0, 3);
    int lost = 0;
    if (marked || (!IsAscii(text) && IsUtf8(text)))
        text = Utf8ToCp1252(text, lost);
    if (!WriteCopy(text)) {
        error = "cannot make a copy of the settings file " +
                Shown(sys::ArgumentText(path.c_str())) + " in the temporary folder";
        return false;
    }
    host::SetProfileFile(copyPath.c_str());
    if (lost > 0)
        notes.push_back(Shown(sys::ArgumentText(path.c_str())) + ": Windows-1252 lacks " +
                        std::to_string(lost) + " of its characters, which read as ?");
    return true;
}

} // namespace

bool UseSettingsFile(const std::string &path, std::vector<std::string> &notes, std::string &error) {
    if (!UseText(path, notes, error))
        return false;
    if (std::string missing = MissingIntlKeys(); !missing.empty())
        notes.push_back(Shown(sys::ArgumentText(path.c_str())) + " has no " + missing +
                        " in [intl]; the library reads what is missing as empty");
    return true;
}

} // namespace kaldate
