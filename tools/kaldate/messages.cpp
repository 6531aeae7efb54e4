#include "messages.h"

#include <cstdio>

#include "kaldate.h"
#include "output.h"

namespace kaldate {
namespace {

bool jsonMessages = false;

// One message: the text after "kaldate: ", or the JSON object with --json.
void PrintMessage(const std::string &text, const JsonObject &json) {
    sys::Write(stderr, jsonMessages ? json.Text() + "\n" : "kaldate: " + text + "\n");
    std::fflush(stderr);
}

int Fail(int status, const std::string &message) {
    PrintMessage(message, JsonObject().Str("error", message).Int("status", status));
    return status;
}

} // namespace

std::string Shown(const std::string &text) {
    constexpr size_t kLongest = 40;
    std::string shown;
    size_t characters = 0;
    size_t i = 0;
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80 && characters++ == kLongest)
            break;
        if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (c == '\r')
            shown += "\\r";
        else if (c < 0x20 || c == 0x7F) {
            constexpr char kHex[] = "0123456789ABCDEF";
            shown += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
        } else
            shown += static_cast<char>(c);
    }
    if (i < text.size())
        shown += "...";
    return shown;
}

void UseJsonMessages(bool json) { jsonMessages = json; }

void Warn(const std::string &text) { PrintMessage(text, JsonObject().Str("warning", text)); }

int UsageError(const std::string &message) { return Fail(kExitUsage, message); }

std::string LibraryMessage(KalderStatus status, int32_t refused) {
    char text[512] = {};
    if (KalderMessage(Settings(), status, refused, text, sizeof text) < 0)
        return "the library refused the input";
    return text;
}

int Refused(KalderStatus status, int32_t refused) {
    return Fail(kExitRefused, LibraryMessage(status, refused));
}

int Failure(const std::string &message) { return Fail(kExitRefused, message); }

} // namespace kaldate
