// The platform calls as the real system provides them.
#include "platform/platform.h"

#include <cstdlib>
#include <windows.h>

// <windows.h> defines these as macros (FreeModule(h) -> FreeLibrary(h), the
// A/W switches for the others); the seam's functions carry the plain names.
#undef FreeModule
#undef LoadString
#undef MessageBox

namespace plat {

unsigned ModuleFileName(Module module, char *out, unsigned size) {
    return GetModuleFileNameA(static_cast<HMODULE>(module), out, size);
}

Module LoadModule(const char *path) { return LoadLibraryA(path); }

void FreeModule(Module module) { FreeLibrary(static_cast<HMODULE>(module)); }

int LoadString(Module module, unsigned id, char *out, int size) {
    return LoadStringA(static_cast<HINSTANCE>(module), id, out, size);
}

int MessageBox(Window owner, const char *text, const char *caption, unsigned style) {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

void MessageBeep(unsigned type) { ::MessageBeep(type); }

Window GetFocus() { return ::GetFocus(); }

unsigned ProfileString(const char *section, const char *key, const char *def, char *out,
                       unsigned size) {
    return GetProfileStringA(section, key, def, out, size);
}

unsigned WindowsDirectory(char *out, unsigned size) { return GetWindowsDirectoryA(out, size); }

uint32_t Version() { return GetVersion(); }

const char *GetEnv(const char *name) { return std::getenv(name); }

std::FILE *OpenTextFile(const char *path) { return std::fopen(path, "r"); }

} // namespace plat
