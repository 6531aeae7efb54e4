// The warning box through which the user hears of bad input.
//
// Warning texts come from the resource module, which lies outside the
// library: a text is formatted only when its conversions are what the
// caller passes (none, or one integer conversion).  Any other text is shown
// as it stands rather than handed to printf with values it does not expect.
#include "strings/warning.h"

#include <cstdio>
#include <cstring>

#include "strings/vs_string.h"

namespace {

// A warning's text, composed per call: at most 255 bytes and the
// terminator.  A text fetched from the module has the same room.
struct WarningText {
    char text[256];
};
constexpr int16_t kFetchedSize = 256;

const char *SkipDigits(const char *p) {
    while (*p >= '0' && *p <= '9')
        ++p;
    return p;
}

// Counts the conversions of format other than %%; returns -1 when one of
// them is not %[flags][width][.precision] followed by d, i, u, x, X or o.
int CountIntConversions(const char *format) {
    int count = 0;
    for (const char *p = std::strchr(format, '%'); p; p = std::strchr(p, '%')) {
        ++p;
        if (*p == '%') {
            ++p;
            continue;
        }
        while (*p && std::strchr("-+ #0", *p))
            ++p;
        p = SkipDigits(p);
        if (*p == '.')
            p = SkipDigits(p + 1);
        if (*p == '\0' || !std::strchr("diuxXo", *p))
            return -1;
        ++p;
        ++count;
    }
    return count;
}

void KeepAsItStands(WarningText &warning, const char *text) {
    std::snprintf(warning.text, sizeof warning.text, "%s", text);
}

// A text without conversions: only %% stands for a percent sign.
void KeepUnescaped(WarningText &warning, const char *text) {
    size_t out = 0;
    for (const char *p = text; *p && out < sizeof warning.text - 1; ++p) {
        if (p[0] == '%' && p[1] == '%')
            ++p;
        warning.text[out++] = *p;
    }
    warning.text[out] = '\0';
}

// The caption is fetched only now, into a buffer of this call's own.
void ShowWarningText(plat::Window owner, const WarningText &warning) {
    char caption[kFetchedSize];
    vs_LoadText(kStrWarningCaption, caption, kFetchedSize);
    plat::MessageBox(owner, warning.text, caption, plat::kMbIconExclamation | plat::kMbOk);
}

} // namespace

void ShowWarning(plat::Window owner, const char *format) {
    WarningText warning;
    if (CountIntConversions(format) == 0)
        KeepUnescaped(warning, format);
    else
        KeepAsItStands(warning, format);
    ShowWarningText(owner, warning);
}

void ShowWarning(plat::Window owner, const char *format, int value) {
    WarningText warning;
    const int conversions = CountIntConversions(format);
    if (conversions == 1 || conversions == 0)
        std::snprintf(warning.text, sizeof warning.text, format, value);
    else
        KeepAsItStands(warning, format);
    ShowWarningText(owner, warning);
}

void ShowWarning(plat::Window owner, StringId id) {
    char format[kFetchedSize];
    ShowWarning(owner, vs_LoadText(id, format, kFetchedSize));
}

void ShowWarning(plat::Window owner, StringId id, int value) {
    char format[kFetchedSize];
    ShowWarning(owner, vs_LoadText(id, format, kFetchedSize), value);
}

int32_t ShowWarningFound(const Warning &warning) {
    const auto id = static_cast<StringId>(warning.id);
    if (warning.hasValue)
        ShowWarning(plat::GetFocus(), id, warning.value);
    else
        ShowWarning(plat::GetFocus(), id);
    return -1;
}
