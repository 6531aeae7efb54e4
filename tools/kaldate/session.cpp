// The settings of the run, and the names of their language.
#include <cstdlib>

#include "kaldate.h"
#include "settings_file.h"

namespace kaldate {
namespace {

// The keys a settings object holds.
constexpr const char *kKeys[] = {"sThousand", "sDecimal",   "sDate",
                                 "sTime",     "sShortDate", "sLongDate"};

// Settings whose long form shows a date's weekday and month name, then its
// day and year, between bars: "Saturday|February|26|2000". The library has
// no call for a name alone; names never hold a bar.
constexpr char kFullNames[] = "sShortDate=M/d/yy\nsLongDate=dddd|MMMM|d|yyyy\n";
constexpr char kAbbreviations[] = "sShortDate=M/d/yy\nsLongDate=ddd|MMM|d|yyyy\n";

KalderSettings *settings = nullptr;
KalderSettings *fullNames = nullptr;
KalderSettings *abbreviations = nullptr;

void FreeSettings() {
    KalderSettingsFree(settings);
    KalderSettingsFree(fullNames);
    KalderSettingsFree(abbreviations);
}

std::string KeyText(const KalderSettings *from, const char *key) {
    char value[256] = {};
    KalderSettingsText(from, key, value, sizeof value);
    return value;
}

// Whether the library has names and messages in language.
bool Installed(const char *language) {
    KalderSettings *probe = KalderSettingsFromText("", 0, language, nullptr);
    KalderSettingsFree(probe);
    return probe != nullptr;
}

// The settings in force as the text of an "intl" section, each value in
// quotes so that it reads back exactly.
std::string InForceText() {
    std::string text;
    for (const char *key : kKeys)
        text += std::string(key) + "=\"" + KeyText(nullptr, key) + "\"\n";
    return text;
}

// A key the file lacks reads as empty, as a missing key of WIN.INI does;
// without sShortDate the dates take the built-in settings.
void NoteEmptyKeys(const std::string &path) {
    std::string empty;
    for (const char *key : kKeys)
        if (KeyText(settings, key).empty())
            empty += (empty.empty() ? "" : ", ") + std::string(key);
    if (empty.empty())
        return;
    const bool builtIn = KeyText(settings, "sShortDate").empty();
    Warn(Shown(sys::ArgumentText(path)) + " has no " + empty + " in [intl]" +
         (builtIn ? "; dates take the built-in United States settings" : ""));
}

// Field field of the bar-separated long form of a date made with names.
std::string NameIn(const KalderSettings *names, int month, int day, size_t field) {
    char text[128] = {};
    if (KalderFormatLongDate(names, 2000, month, day, text, sizeof text) < 0)
        return "";
    std::string fields = text;
    for (size_t i = 0; i < field; ++i)
        fields.erase(0, fields.find('|') + 1);
    return fields.substr(0, fields.find('|'));
}

} // namespace

int UseSettings(const Options &options) {
    std::string language = options.language;
    if (!language.empty() && !Installed(language.c_str()))
        return UsageError("no texts in the language " + Shown(language) + " (en, de, fr or es)");
    if (const char *named = std::getenv("KALDER_LANGUAGE");
        language.empty() && named && *named && Installed(named))
        language = named;
    const char *asked = language.empty() ? nullptr : language.c_str();
    std::atexit(FreeSettings);

    KalderStatus why = KALDER_NO_MEMORY;
    std::string text;
    if (!options.ini.empty()) {
        if (std::string error; !ReadSettingsFile(options.ini, text, error))
            return UsageError(error);
    } else if (asked) {
        text = InForceText();
    }
    if (options.ini.empty() && !asked)
        settings = KalderSettingsInForce();
    else
        settings = KalderSettingsFromText(text.data(), text.size(), asked, &why);
    if (!settings && !options.ini.empty() && why != KALDER_NO_MEMORY)
        return UsageError("cannot use the settings file " + Shown(sys::ArgumentText(options.ini)) +
                          ": " + LibraryMessage(why, 0));
    if (!settings)
        return Failure(LibraryMessage(why, 0));
    fullNames = KalderSettingsFromText(kFullNames, KALDER_NUL_TERMINATED, asked, &why);
    abbreviations = KalderSettingsFromText(kAbbreviations, KALDER_NUL_TERMINATED, asked, &why);
    if (!fullNames || !abbreviations)
        return Failure(LibraryMessage(why, 0));
    if (!options.ini.empty())
        NoteEmptyKeys(options.ini);
    return kExitOk;
}

const KalderSettings *Settings() { return settings; }

// 2 January 2000 was a Sunday.
std::string DayName(int weekday) { return NameIn(fullNames, 1, 2 + weekday, 0); }
std::string DayAbbrev(int weekday) { return NameIn(abbreviations, 1, 2 + weekday, 0); }
std::string MonthName(int month) { return NameIn(fullNames, month, 1, 1); }

std::string Language() {
    char code[8] = {};
    KalderSettingsLanguage(settings, code, sizeof code);
    return code;
}

} // namespace kaldate
