// Host stand-in for the loader and the resource module.
//
// There is no kaldres.dll on the host: "loading" it checks the file name the
// library built, hands out a fake handle and counts the load, so tests can
// see that every load is matched by a free.  Its string tables are the same
// text lists the real modules are built from, in English, German, French and
// Spanish, with per-string overrides.  Which language a load gets is what
// host::SetLanguage chose, else KALDER_LANGUAGE, else English: the part of
// the value before any '_', '-', '.' or '@', in any case, so "de_DE.UTF-8"
// is German.  Any other value gets English, with a note on standard error.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <optional>
#include <string>

#include "platform/host/host_control.h"
#include "platform/host/host_state.h"
#include "platform/platform.h"

namespace host::detail {
char libraryModuleTag;
} // namespace host::detail

namespace {

struct StringEntry {
    unsigned id;
    const char *text;
};

#define KALDER_STRING(id, text) {id, text},
const StringEntry kEnglishStrings[] = {
#include "res/strings_en.inc"
};
const StringEntry kGermanStrings[] = {
#include "res/strings_de.inc"
};
const StringEntry kFrenchStrings[] = {
#include "res/strings_fr.inc"
};
const StringEntry kSpanishStrings[] = {
#include "res/strings_es.inc"
};
#undef KALDER_STRING

// One resource module per language; a module's handle is its entry here.
struct LanguageModule {
    char code[3];
    const StringEntry *strings;
    size_t count;
};

LanguageModule languageModules[] = {
    {"en", kEnglishStrings, std::size(kEnglishStrings)},
    {"de", kGermanStrings, std::size(kGermanStrings)},
    {"fr", kFrenchStrings, std::size(kFrenchStrings)},
    {"es", kSpanishStrings, std::size(kSpanishStrings)},
};
LanguageModule *const english = &languageModules[0];

const char kDefaultModulePath[] = "C:\\KALDER\\KALDER32.DLL";

HOST_EARLY std::string modulePath = kDefaultModulePath;
bool resourcePresent = true;
HOST_EARLY std::map<unsigned, std::optional<std::string>> overrides;
int loadedModules = 0;
HOST_EARLY std::string lastLoadPath;
LanguageModule *chosenLanguage = nullptr; // by host::SetLanguage; null: the environment

// The module of a language code, or null when there is none.
LanguageModule *FindLanguage(const char *value) {
    const size_t length = std::strcspn(value, "_-.@");
    for (LanguageModule &module : languageModules) {
        if (length == 2 && std::tolower(static_cast<unsigned char>(value[0])) == module.code[0] &&
            std::tolower(static_cast<unsigned char>(value[1])) == module.code[1])
            return &module;
    }
    return nullptr;
}

LanguageModule *LanguageInForce(bool quiet = false) {
    if (chosenLanguage)
        return chosenLanguage;
    const char *value = std::getenv("KALDER_LANGUAGE");
    if (!value || !*value)
        return english;
    LanguageModule *module = FindLanguage(value);
    if (!module) {
        if (quiet)
            return english;
        std::fprintf(stderr,
                     "kalder32: KALDER_LANGUAGE=%s is none of en, de, fr, es; the texts are "
                     "in English\n",
                     value);
        return english;
    }
    return module;
}

LanguageModule *AsLanguageModule(plat::Module module) {
    for (LanguageModule &candidate : languageModules) {
        if (module == &candidate)
            return &candidate;
    }
    return nullptr;
}

bool IsResourceFileName(const char *path) {
    const char *slash = std::strrchr(path, '\\');
    const char *name = slash ? slash + 1 : path;
    const char expected[] = "kaldres.dll";
    if (std::strlen(name) != sizeof expected - 1)
        return false;
    for (size_t i = 0; i < sizeof expected - 1; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != expected[i])
            return false;
    }
    return true;
}

// The module a path of the kit's form "<folder>\\de\\kaldres.dll" names by
// its folder, or null for any other path.
LanguageModule *LanguageOfFolder(const char *path) {
    const char *slash = std::strrchr(path, '\\');
    if (slash == nullptr || slash - path < 3 || slash[-3] != '\\')
        return nullptr;
    const char code[3] = {slash[-2], slash[-1], '\0'};
    return FindLanguage(code);
}

const char *FindString(const LanguageModule &module, unsigned id) {
    auto it = overrides.find(id);
    if (it != overrides.end())
        return it->second ? it->second->c_str() : nullptr;
    for (size_t i = 0; i < module.count; ++i) {
        if (module.strings[i].id == id)
            return module.strings[i].text;
    }
    return nullptr;
}

} // namespace

namespace host::detail {
void ResetModules() {
    modulePath = kDefaultModulePath;
    resourcePresent = true;
    overrides.clear();
    lastLoadPath.clear();
    chosenLanguage = nullptr;
}
} // namespace host::detail

namespace host {

void SetModulePath(const char *path) { modulePath = path ? path : ""; }
void SetResourceModulePresent(bool present) { resourcePresent = present; }
void SetString(unsigned id, const char *text) {
    if (text)
        overrides[id] = std::string(text);
    else
        overrides[id] = std::nullopt;
}
void RestoreStrings() { overrides.clear(); }
bool SetLanguage(const char *language) {
    if (!language) {
        chosenLanguage = nullptr;
        return true;
    }
    LanguageModule *module = FindLanguage(language);
    if (module)
        chosenLanguage = module;
    return module != nullptr;
}
const char *Language() { return LanguageInForce(true)->code; }
int LoadedModuleCount() { return loadedModules; }
const char *LastLoadPath() { return lastLoadPath.c_str(); }

} // namespace host

namespace plat {

// Like the system: the length copied; when the path must be cut, the cut
// path (terminated) and size as the result.
unsigned ModuleFileName(Module, char *out, unsigned size) {
    if (modulePath.empty() || size == 0)
        return 0;
    size_t length = modulePath.size();
    if (length + 1 > size) {
        std::memcpy(out, modulePath.data(), size - 1);
        out[size - 1] = '\0';
        return size;
    }
    std::memcpy(out, modulePath.c_str(), length + 1);
    return static_cast<unsigned>(length);
}

Module LoadModule(const char *path) {
    lastLoadPath = path ? path : "";
    if (!path || !resourcePresent || !IsResourceFileName(path))
        return nullptr;
    ++loadedModules;
    if (LanguageModule *module = LanguageOfFolder(path))
        return module;
    return LanguageInForce();
}

void FreeModule(Module module) {
    if (AsLanguageModule(module) && loadedModules > 0)
        --loadedModules;
}

int LoadString(Module module, unsigned id, char *out, int size) {
    const LanguageModule *resources = AsLanguageModule(module);
    if (!resources || !out || size <= 0)
        return 0;
    const char *text = FindString(*resources, id);
    if (!text) {
        out[0] = '\0';
        return 0;
    }
    size_t length = std::strlen(text);
    if (length > static_cast<size_t>(size - 1))
        length = static_cast<size_t>(size - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
    return static_cast<int>(length);
}

// The resource texts are held in Windows-1252, as the system's ANSI code
// page would give them.
int LoadStringWide(Module module, unsigned id, char16_t *out, int size) {
    if (out == nullptr || size <= 0)
        return 0;
    char text[1024];
    const int length = LoadString(module, id, text, static_cast<int>(sizeof text));
    const int units = SystemTextToWide(text, length, out, size - 1);
    out[units] = u'\0';
    return units;
}

} // namespace plat
