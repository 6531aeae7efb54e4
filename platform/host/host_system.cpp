// Host stand-in for the system facts the library asks for: the Windows
// directory, the Windows version, the environment and text files named
// with Windows paths.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/host/host_control.h"
#include "platform/host/host_state.h"
#include "platform/platform.h"

namespace {

HOST_EARLY std::string windowsDirectory;
unsigned versionMajor = 4;
unsigned versionMinor = 0;
bool initialised = false;

// "3.10" is major 3, minor 10; a one-digit minor counts in tenths as the
// system writes its versions ("3.1" is 3.10, "4.0" is 4.0).
void ParseVersion(const char *text) {
    char *end = nullptr;
    unsigned long major = std::strtoul(text, &end, 10);
    unsigned long minor = 0;
    if (end && *end == '.') {
        const char *digits = end + 1;
        minor = std::strtoul(digits, &end, 10);
        if (end - digits == 1)
            minor *= 10;
    }
    versionMajor = static_cast<unsigned>(major & 0xFF);
    versionMinor = static_cast<unsigned>(minor & 0xFF);
}

void UseDefaults() {
    const char *dir = std::getenv("KALDER_WINDIR");
    windowsDirectory = dir && *dir ? dir : "C:\\WINDOWS";
    versionMajor = 4;
    versionMinor = 0;
    const char *version = std::getenv("KALDER_WINVER");
    if (version && *version)
        ParseVersion(version);
    initialised = true;
}

void EnsureInitialised() {
    if (!initialised)
        UseDefaults();
}

} // namespace

namespace host::detail {
void ResetSystem() { UseDefaults(); }
} // namespace host::detail

namespace host {

void SetWindowsDirectory(const char *dir) {
    EnsureInitialised();
    windowsDirectory = dir ? dir : "";
}

void SetVersion(unsigned major, unsigned minor) {
    EnsureInitialised();
    versionMajor = major & 0xFF;
    versionMinor = minor & 0xFF;
}

} // namespace host

namespace plat {

// As the system does: the length copied, or the size needed (with the
// terminator) when the area is too small, leaving the area untouched.
unsigned WindowsDirectory(char *out, unsigned size) {
    EnsureInitialised();
    unsigned length = static_cast<unsigned>(windowsDirectory.size());
    if (length + 1 > size)
        return length + 1;
    std::memcpy(out, windowsDirectory.c_str(), length + 1);
    return length;
}

uint32_t Version() {
    EnsureInitialised();
    return versionMajor | (versionMinor << 8);
}

const char *GetEnv(const char *name) { return std::getenv(name); }

std::FILE *OpenTextFile(const char *path) {
    std::string hostPath = path;
    for (char &c : hostPath) {
        if (c == '\\')
            c = '/';
    }
    return std::fopen(hostPath.c_str(), "r");
}

// The host's system code page is Windows-1252: Latin-1 but for the
// printable characters it puts in 0x80 to 0x9F (five of which are unused
// and taken here as the control characters of the same number).
int SystemTextToWide(const char *text, int length, char16_t *out, int size) {
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (text == nullptr || length <= 0 || length > size)
        return 0;
    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out[i] = c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : char16_t{c};
    }
    return length;
}

} // namespace plat
