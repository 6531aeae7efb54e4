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

// The text of the last warning: at most 255 bytes and the terminator.
char warningText[256];

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

void KeepAsItStands(const char *text) {
    std::snprintf(warningText, sizeof warningText, "%s", text);
}

// A text without conversions: only %% stands for a percent sign.
void KeepUnescaped(const char *text) {
    size_t out = 0;
    for (const char *p = text; *p && out < sizeof warningText - 1; ++p) {
        if (p[0] == '%' && p[1] == '%')
            ++p;
        warningText[out++] = *p;
    }
    warningText[out] = '\0';
}

// The caption is fetched only now: the text may have been the scratch
// buffer that this fetch overwrites.
void ShowWarningText(plat::Window owner) {
    const char *caption = vs_String(kStrWarningCaption);
    plat::MessageBox(owner, warningText, caption, plat::kMbIconExclamation | plat::kMbOk);
}

} // namespace

void ShowWarning(plat::Window owner, const char *format) {
    if (CountIntConversions(format) == 0)
        KeepUnescaped(format);
    else
        KeepAsItStands(format);
    ShowWarningText(owner);
}

void ShowWarning(plat::Window owner, const char *format, int value) {
    const int conversions = CountIntConversions(format);
    if (conversions == 1 || conversions == 0)
        std::snprintf(warningText, sizeof warningText, format, value);
    else
        KeepAsItStands(format);
    ShowWarningText(owner);
}
