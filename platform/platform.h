// The library's only view of the system it runs on.
//
// Everything outside platform/ calls these functions instead of the Win32
// API.  platform/win32 forwards each one to the real call; platform/host
// stands in for them on Linux so that the same logic can be tested natively
// (see platform/host/host_control.h for what tests can set).
#pragma once

#include <cstdint>
#include <cstdio>

namespace plat {

using Module = void *; // HINSTANCE / HMODULE
using Window = void *; // HWND

// Message box styles and results used by the library.
constexpr unsigned kMbOk = 0x0000;
constexpr unsigned kMbIconHand = 0x0010;
constexpr unsigned kMbIconExclamation = 0x0030;
constexpr unsigned kMbTaskModal = 0x2000;

// Module management (GetModuleFileNameA, LoadLibraryA, FreeLibrary).
// ModuleFileName returns the length copied, 0 on failure; like the real
// call it returns size when the path had to be cut.
unsigned ModuleFileName(Module module, char *out, unsigned size);
Module LoadModule(const char *path);
void FreeModule(Module module);

// String resources (LoadStringA): the length copied, 0 when missing.
int LoadString(Module module, unsigned id, char *out, int size);
// The same text as Unicode (LoadStringW), whatever the system code page.
int LoadStringWide(Module module, unsigned id, char16_t *out, int size);

// Text of the system code page (the one the profile is read in) as
// Unicode (MultiByteToWideChar on CP_ACP): the number of units written, at
// most size; 0 when it does not fit.
int SystemTextToWide(const char *text, int length, char16_t *out, int size);

// User interface (MessageBoxA, MessageBeep, GetFocus).
int MessageBox(Window owner, const char *text, const char *caption, unsigned style);
void MessageBeep(unsigned type);
Window GetFocus();

// Configuration (GetProfileStringA on "WIN.INI", GetWindowsDirectoryA,
// GetVersion, getenv).
unsigned ProfileString(const char *section, const char *key, const char *def, char *out,
                       unsigned size);
unsigned WindowsDirectory(char *out, unsigned size);
uint32_t Version();
const char *GetEnv(const char *name);

// Opens a text file named with a Windows path for reading ("r").
std::FILE *OpenTextFile(const char *path);

// Threads (TlsAlloc, TlsGetValue, TlsSetValue, TlsFree, SwitchToThread).
//
// One pointer-sized value per thread, null until the thread sets it; read
// it with ThreadValue (platform/thread_value.h, inline).  When a thread
// whose value is set ends, ThreadEnding runs on it and calls atThreadEnd
// with the value: the library's thread detach calls it under Windows, the
// host calls it itself.  The value stays as atThreadEnd leaves it, so code
// that runs on the thread after that (another module's thread detach, a
// later thread-local destructor) sees what atThreadEnd stored.
// StartThreadValues returns false when the system offers no such values;
// they must then not be set.
bool StartThreadValues(void (*atThreadEnd)(void *value));
void StopThreadValues();
void SetThreadValue(void *value);
void ThreadEnding();
// Gives the processor to another thread that is ready to run.
void YieldThread();

} // namespace plat
