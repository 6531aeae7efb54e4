#include "modern/language.h"

#include <cstring>
#include <iterator>

#include "res/string_ids.h"
#include "strings/vs_string.h"
#include "text/ascii_compare.h"
#include "text/unicode.h"

namespace modern {

namespace {

constexpr const char *kCodes[] = {"en", "de", "fr", "es"};

// The name of January in each language, as its module holds it: how the
// library's own module tells its language (its file name does not).
constexpr const char *kJanuary[] = {"January", "Januar", "janvier", "enero"};

constexpr unsigned kPathArea = 300;

} // namespace

const char *LanguageCode(const char *name) {
    if (name == nullptr)
        return nullptr;
    const size_t length = std::strcspn(name, "_-.@");
    if (length != 2)
        return nullptr;
    for (const char *code : kCodes) {
        if (AsciiLower(name[0]) == code[0] && AsciiLower(name[1]) == code[1])
            return code;
    }
    return nullptr;
}

plat::Module LoadLanguageModule(const char *code) {
    char path[kPathArea];
    const unsigned length = plat::ModuleFileName(vs_GetInstance(), path, kPathArea);
    if (length == 0 || length >= kPathArea)
        return nullptr;
    char *slash = std::strrchr(path, '\\');
    const char tail[] = "\\xx\\kaldres.dll";
    if (slash == nullptr || static_cast<size_t>(slash - path) + sizeof tail > kPathArea)
        return nullptr;
    std::memcpy(slash, tail, sizeof tail);
    slash[1] = code[0];
    slash[2] = code[1];
    if (plat::Module module = plat::LoadModule(path))
        return module;
    // The library's own module serves its own language (the kit has no
    // folder for the language of the module beside the library).
    if (std::strcmp(LanguageOfModule(vs_GetInstance()), code) != 0)
        return nullptr;
    std::memcpy(slash, tail + 3, sizeof tail - 3);
    return plat::LoadModule(path);
}

size_t LoadTextUtf8(plat::Module module, unsigned id, char *out, size_t size) {
    char16_t wide[512];
    const int units = plat::LoadStringWide(module, id, wide, static_cast<int>(std::size(wide)));
    return uni::PutUtf8OfUtf16(wide, units > 0 ? static_cast<size_t>(units) : 0, out, size);
}

const char *LanguageOfModule(plat::Module module) {
    char january[32];
    LoadTextUtf8(module, KALDER_STR_FIRST_MONTH_NAME, january, sizeof january);
    for (size_t i = 0; i < std::size(kCodes); ++i) {
        if (std::strcmp(january, kJanuary[i]) == 0)
            return kCodes[i];
    }
    return "en";
}

} // namespace modern
