// Reading the international settings into a settings record.
//
// The "intl" section of the profile comes first.  Without a short-date
// picture there, the country entry of the Windows 3.x INF file stands in
// (CONTROL.INF under 3.10, SETUP.INF under 3.0); other versions have no such
// file and get the built-in United States settings, which the caller tells
// the user of.  Whatever the source,
// the formats are rebuilt from the pictures in force, so they always match
// what the formatters hand them.
#include <cstdio>
#include <cstring>

#include "settings/read/read_settings.h"

#include "platform/platform.h"
#include "settings/analyse/format_builder.h"
#include "settings/analyse/pictures.h"
#include "settings/read/inf_reader.h"
#include "text/limited_text.h"

namespace {

constexpr unsigned kWindowsDirArea = 144;
constexpr size_t kInfPathArea = 100;
constexpr int kCountryArea = 40;
constexpr int kValueLimit = 190;
constexpr int kFieldArea = 60;
constexpr int kFieldCount = 20;

template <size_t N> void ReadIntlKey(const char *key, char (&field)[N]) {
    plat::ProfileString("intl", key, "", field, N);
}

template <size_t N> void StoreField(char (&field)[N], const char *text) {
    CopyLimited(field, text, static_cast<int>(N) - 1);
}

// The fields of a country entry that the record takes, by their number
// (from 0) in the entry.
enum CountryField : int {
    kCountryThousand = 13,
    kCountryDecimal = 14,
    kCountryDate = 15,
    kCountryTime = 16,
    kCountryShortDate = 18,
    kCountryLongDate = 19,
};

// The record field that takes field number n of a country entry, if any.
void ApplyCountryField(WINDATESTRUC &r, int n, const char *text) {
    switch (n) {
    case kCountryThousand:
        StoreField(r.sThousand, text);
        break;
    case kCountryDecimal:
        StoreField(r.sDecimal, text);
        break;
    case kCountryDate:
        StoreField(r.sDate, text);
        break;
    case kCountryTime:
        StoreField(r.sTime, text);
        break;
    case kCountryShortDate:
        StoreField(r.sShortDate, text);
        break;
    case kCountryLongDate:
        StoreField(r.sLongDate, text);
        break;
    default:
        break;
    }
}

// The value runs to the end of the line as read: drop the line end and the
// closing quote so that they do not end up in the last field.
void TrimLineEnd(char *value) {
    size_t length = std::strlen(value);
    while (length > 0 && (value[length - 1] == '\n' || value[length - 1] == '\r'))
        value[--length] = '\0';
    if (length > 0 && value[length - 1] == '"')
        value[--length] = '\0';
}

void ApplyCountryEntry(WINDATESTRUC &r, const char *value) {
    char field[kFieldArea];
    const char *cursor = value;
    for (int n = 0; n < kFieldCount && cursor && *cursor; ++n) {
        cursor = NextField(cursor, "!", field, kFieldArea);
        ApplyCountryField(r, n, field);
    }
}

// The INF file's path for the running version, or false when this version
// has none.  A directory or path that does not fit its area gives an empty
// path, which finds nothing.
bool InfPathForVersion(char *path) {
    const uint32_t version = plat::Version();
    const unsigned major = version & 0xFF;
    const unsigned minor = (version >> 8) & 0xFF;
    const char *format = nullptr;
    if (major == 3 && minor == 10)
        format = "%s\\SYSTEM\\CONTROL.INF";
    else if (major == 3 && minor == 0)
        format = "%s\\SYSTEM\\SETUP.INF";
    else
        return false;

    path[0] = '\0';
    char windowsDir[kWindowsDirArea];
    const unsigned length = plat::WindowsDirectory(windowsDir, kWindowsDirArea);
    if (length == 0 || length >= kWindowsDirArea)
        return true;
    const int written = std::snprintf(path, kInfPathArea, format, windowsDir);
    if (written < 0 || static_cast<size_t>(written) >= kInfPathArea)
        path[0] = '\0';
    return true;
}

} // namespace

void DeriveFormats(WINDATESTRUC &record) {
    AnalyseShortDatePicture(record);
    AnalyseLongDatePicture(record);
    BuildShortFormat(record);
}

void UseDefaultSettings(WINDATESTRUC &r) {
    StoreField(r.sThousand, ",");
    StoreField(r.sDecimal, ".");
    StoreField(r.sDate, "/");
    StoreField(r.sTime, ":");
    r.iShortOrder = 0;
    r.bDayLZero = 1;
    r.bMonthLZero = 1;
    r.bFullYear = 1;
    AnalyseLongDatePicture(r);
    BuildShortFormat(r);
}

ReadingNotice ReadCountryInf(WINDATESTRUC &r) {
    char country[kCountryArea];
    plat::ProfileString("intl", "sCountry", "", country, sizeof country);
    if (country[0] == '\0')
        std::strcpy(country, "United States");

    char path[kInfPathArea];
    if (!InfPathForVersion(path)) {
        UseDefaultSettings(r);
        return ReadingNotice::UnsupportedVersion;
    }

    char value[kValueLimit + 1] = "";
    if (path[0] != '\0')
        FindInfValue("country", country, "", value, kValueLimit, path);
    TrimLineEnd(value);
    // With no value nothing new is installed, but the formats are still
    // rebuilt from the pictures in force so that they match them.
    if (value[0] != '\0')
        ApplyCountryEntry(r, value);
    DeriveFormats(r);
    return ReadingNotice::None;
}

ReadingNotice ReadSettings(WINDATESTRUC &r) {
    ReadIntlKey("sThousand", r.sThousand);
    ReadIntlKey("sDecimal", r.sDecimal);
    ReadIntlKey("sDate", r.sDate);
    ReadIntlKey("sTime", r.sTime);
    ReadIntlKey("sShortDate", r.sShortDate);
    ReadIntlKey("sLongDate", r.sLongDate);
    if (r.sShortDate[0] == '\0')
        return ReadCountryInf(r);
    DeriveFormats(r);
    return ReadingNotice::None;
}
