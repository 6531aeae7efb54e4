// Host stand-in for the loader and the resource module.
//
// There is no kaldres.dll on the host: "loading" it checks the file name the
// library built, hands out a fake handle and counts the load, so tests can
// see that every load is matched by a free.  Its string table is the same
// text list the real module is built from, with per-string overrides.
#include <cctype>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "platform/host/host_control.h"
#include "platform/host/host_state.h"
#include "platform/platform.h"

namespace host::detail {
char libraryModuleTag;
char resourceModuleTag;
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
#undef KALDER_STRING

const char kDefaultModulePath[] = "C:\\KALDER\\KALDER32.DLL";

HOST_EARLY std::string modulePath = kDefaultModulePath;
bool resourcePresent = true;
HOST_EARLY std::map<unsigned, std::optional<std::string>> overrides;
int loadedModules = 0;
HOST_EARLY std::string lastLoadPath;

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

const char *FindString(unsigned id) {
    auto it = overrides.find(id);
    if (it != overrides.end())
        return it->second ? it->second->c_str() : nullptr;
    for (const StringEntry &entry : kEnglishStrings) {
        if (entry.id == id)
            return entry.text;
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
    return &host::detail::resourceModuleTag;
}

void FreeModule(Module module) {
    if (module == &host::detail::resourceModuleTag && loadedModules > 0)
        --loadedModules;
}

int LoadString(Module module, unsigned id, char *out, int size) {
    if (module != &host::detail::resourceModuleTag || !out || size <= 0)
        return 0;
    const char *text = FindString(id);
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

} // namespace plat
