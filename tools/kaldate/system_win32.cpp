// kaldate on Windows: KALDER32.dll is loaded through its import library
// before main runs. Its warning boxes are caught as they open (a CBT hook on
// this thread), their text kept for standard error and the box closed, so
// that the tool never waits for a click.
#include <windows.h>

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

} // namespace

bool SupportsIni() { return false; }

bool Start(const Options &, std::string &error) {
    boxHook = SetWindowsHookExA(WH_CBT, CatchBoxes, nullptr, GetCurrentThreadId());
    if (!boxHook) {
        error = "cannot watch for the library's warning boxes";
        return false;
    }
    resources = OpenResourceModule();
    return true;
}

std::vector<std::string> TakeWarnings() {
    std::vector<std::string> texts;
    texts.swap(pending);
    return texts;
}

std::string DayName(int weekday) { return ResourceText(kFirstDayName + weekday); }
std::string DayAbbrev(int weekday) { return ResourceText(kFirstDayAbbrev + weekday); }
std::string MonthName(int month0) { return ResourceText(kFirstMonthName + month0); }

} // namespace kaldate::sys
