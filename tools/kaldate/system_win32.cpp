// kaldate on Windows: arguments come in the ANSI code page, and a console
// is written in UTF-16 so that it shows every name as it is.
#include <windows.h>

#include <io.h>

#include "encoding.h"
#include "kaldate.h"

namespace kaldate::sys {
namespace {

std::wstring Wide(const std::string &text, UINT codePage) {
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

// A console shows UTF-16 whatever its code page (by default the OEM one);
// false when the stream is not a console or the console refuses, and the
// bytes go out as they are.
bool WriteToConsole(std::FILE *stream, const std::string &text) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    const std::wstring wide = Wide(text, CP_UTF8);
    if (wide.empty())
        return text.empty();
    std::fflush(stream); // anything still buffered goes first
    DWORD written = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) !=
           0;
}

} // namespace

std::string ArgumentText(const std::string &arg) {
    if (IsUtf8(arg))
        return arg;
    const std::wstring wide = Wide(arg, CP_ACP);
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

void Write(std::FILE *stream, const std::string &text) {
    if (!WriteToConsole(stream, text))
        std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace kaldate::sys
