// The platform calls as the real system provides them.
#include "platform/platform.h"
#include "platform/thread_value.h"

#include <cstdlib>
// Nothing newer than Windows XP.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0501
#endif
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

int LoadStringWide(Module module, unsigned id, char16_t *out, int size) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    if (out == nullptr || size <= 0)
        return 0; // a size of 0 would ask for a pointer into the resource
    return LoadStringW(static_cast<HINSTANCE>(module), id, reinterpret_cast<wchar_t *>(out), size);
}

int SystemTextToWide(const char *text, int length, char16_t *out, int size) {
    if (length == 0)
        return 0;
    return MultiByteToWideChar(CP_ACP, 0, text, length, reinterpret_cast<wchar_t *>(out), size);
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

namespace detail {
unsigned long threadValueIndex = kNoThreadValues;
} // namespace detail

namespace {
void (*threadEndHook)(void *) = nullptr;
} // namespace

// Only an index below 64 has its slot at the fixed place ThreadValue reads;
// a process that has used up those gets no values, and the library takes
// a reader record for each call instead.
bool StartThreadValues(void (*atThreadEnd)(void *value)) {
    threadEndHook = atThreadEnd;
    const DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES)
        return false;
    if (index >= detail::kNoThreadValues) {
        TlsFree(index);
        return false;
    }
    detail::threadValueIndex = index;
    return true;
}

void StopThreadValues() {
    if (detail::threadValueIndex < detail::kNoThreadValues)
        TlsFree(detail::threadValueIndex);
    detail::threadValueIndex = detail::kNoThreadValues;
}

void SetThreadValue(void *value) { TlsSetValue(detail::threadValueIndex, value); }

void ThreadEnding() {
    void *value = ThreadValue();
    if (value != nullptr && threadEndHook != nullptr)
        threadEndHook(value);
}

void YieldThread() { SwitchToThread(); }

} // namespace plat
