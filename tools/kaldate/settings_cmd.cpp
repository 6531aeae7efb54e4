// kaldate settings: the settings in use, key by key, as the library holds
// them.
#include <cstdio>

#include "kaldate.h"
#include "output.h"

namespace kaldate {
namespace {

constexpr const char *kKeys[] = {"sTime",     "sDate",    "sShortDate", "sLongDate",
                                 "sThousand", "sDecimal", "language"};

std::string ValueOf(const char *key) {
    char value[256] = {};
    if (std::string(key) == "language")
        KalderSettingsLanguage(Settings(), value, sizeof value);
    else
        KalderSettingsText(Settings(), key, value, sizeof value);
    return value;
}

} // namespace

int RunSettings(const Options &options) {
    if (!options.args.empty())
        return UsageError("settings takes no arguments");
    if (options.json) {
        JsonObject object;
        for (const char *key : kKeys)
            object.Str(key, ValueOf(key));
        PrintJson(object);
        return kExitOk;
    }
    PrintLine("key         value");
    for (const char *key : kKeys) {
        char head[32];
        std::snprintf(head, sizeof head, "%-12s", key);
        PrintLine(head + ("\"" + ValueOf(key) + "\""));
    }
    return kExitOk;
}

} // namespace kaldate
