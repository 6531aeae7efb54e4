// kaldate on Windows: KALDER32.dll is loaded through its import library
// before main runs. Its warning boxes are caught as they open (a CBT hook on
// this thread), their text kept for standard error and the box closed, so
// that the tool never waits for a click. Text is ANSI, the DLL's code page;
// a console is written in UTF-16 so that it shows the names as they are.
#include <windows.h>

#include <io.h>

#include "kaldate.h"
#include "res/string_ids.h"

namespace kaldate::sys {
namespace {

constexpr int kMessageTextControl = 0xFFFF; // the static text of a message box
constexpr UINT kFirstDayName = KALDER_STR_FIRST_DAY_NAME;
constexpr UINT kFirstDayAbbrev = KALDER_STR_FIRST_DAY_ABBREV;
constexpr UINT kFirstMonthName = KALDER_STR_FIRST_MONTH_NAME;

HHOOK boxHook = nullptr;
HMODULE resources = nullptr;
std::vector<std::string> pending;

LRESULT CALLBACK CatchBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            char text[512] = {};
            GetDlgItemTextA(window, kMessageTextControl, text, sizeof text);
            pending.push_back(text);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

// The kaldres.dll that sits beside the loaded KALDER32.dll, opened for its
// string table only.
HMODULE OpenResourceModule() {
    HMODULE library = GetModuleHandleA("KALDER32.dll");
    char path[MAX_PATH] = {};
    DWORD length = library ? GetModuleFileNameA(library, path, MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    char *slash = path;
    for (char *p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            slash = p + 1;
    if (lstrlenA(path) - (slash - path) + lstrlenA("kaldres.dll") >= MAX_PATH)
        return nullptr;
    lstrcpyA(slash, "kaldres.dll");
    return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

std::string ResourceText(UINT id) {
    char text[256] = {};
    if (!resources || LoadStringA(resources, id, text, sizeof text) <= 0)
        return "";
    return text;
}

// The language the module's version resource names in its Translation
// value (a language id, then a code page), read without version.dll: the
// value follows the key "Translation", aligned to four bytes.
std::string ResourceLanguage() {
    HRSRC found = resources ? FindResourceA(resources, MAKEINTRESOURCEA(1), RT_VERSION) : nullptr;
    HGLOBAL loaded = found ? LoadResource(resources, found) : nullptr;
    const BYTE *data = loaded ? static_cast<const BYTE *>(LockResource(loaded)) : nullptr;
    const DWORD size = data ? SizeofResource(resources, found) : 0;
    static const char key[] = "Translation";
    const DWORD keyBytes = sizeof key * 2; // UTF-16, its terminator included
    // The value (two words, after up to two bytes of padding) ends the
    // resource, so the key may stand as little as six bytes from its end.
    for (DWORD at = 0; at + keyBytes + 2 <= size; at += 2) {
        bool same = true;
        for (DWORD i = 0; i < sizeof key && same; ++i)
            same = data[at + 2 * i] == static_cast<BYTE>(key[i]) && data[at + 2 * i + 1] == 0;
        if (!same)
            continue;
        const DWORD value = (at + keyBytes + 3) & ~DWORD{3};
        if (value + 2 > size)
            break;
        switch ((data[value] | data[value + 1] << 8) & 0x3FF) {
        case LANG_GERMAN:
            return "de";
        case LANG_FRENCH:
            return "fr";
        case LANG_SPANISH:
            return "es";
        default:
            return "en";
        }
    }
    return "en";
}

// A console shows UTF-16 whatever its code page (by default the OEM one,
// in which the ANSI names come out wrong); false when the stream is not a
// console or the console refuses, and the bytes go out as they are.
bool WriteToConsole(std::FILE *stream, const std::string &text, UINT codePage) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    std::fflush(stream); // anything still buffered goes first
    DWORD written = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(length), &written, nullptr) != 0;
}

} // namespace

bool SupportsIni() { return false; }
// The kaldres.dll beside KALDER32.dll gives the language.
bool SupportsLanguage() { return false; }
bool UseLanguage(const std::string &) { return false; }

int Start(const Options &) {
    boxHook = SetWindowsHookExA(WH_CBT, CatchBoxes, nullptr, GetCurrentThreadId());
    if (!boxHook)
        return Failure("cannot watch for the library's warning boxes");
    resources = OpenResourceModule();
    return kExitOk;
}

std::vector<std::string> TakeWarnings() {
    std::vector<std::string> texts;
    texts.swap(pending);
    return texts;
}

// The arguments come in the ANSI code page, as the library reads text.
std::string ArgumentText(const char *arg) { return arg; }

void Write(std::FILE *stream, const std::string &text, Encoding encoding) {
    if (!WriteToConsole(stream, text, encoding == Encoding::kUtf8 ? CP_UTF8 : CP_ACP))
        std::fwrite(text.data(), 1, text.size(), stream);
}

std::string DayName(int weekday) { return ResourceText(kFirstDayName + weekday); }
std::string DayAbbrev(int weekday) { return ResourceText(kFirstDayAbbrev + weekday); }
std::string MonthName(int month0) { return ResourceText(kFirstMonthName + month0); }
std::string Language() { return ResourceLanguage(); }

} // namespace kaldate::sys
