#include "messages.h"

#include <cstdio>
#include <vector>

#include "kaldate.h"
#include "output.h"

namespace kaldate {
namespace {

bool jsonMessages = false;

// One message: text of the library's after "kaldate: ", or the JSON object
// with --json.
void PrintMessage(const std::string &text, const JsonObject &json) {
    if (jsonMessages)
        sys::Write(stderr, json.Text() + "\n", sys::Encoding::kUtf8);
    else
        sys::Write(stderr, "kaldate: " + text + "\n", sys::Encoding::kCodePage);
    std::fflush(stderr);
}

void Warn(const std::string &text) { PrintMessage(text, JsonObject().Str("warning", text)); }

int Fail(int status, const std::string &message) {
    PrintMessage(message, JsonObject().Str("error", message).Int("status", status));
    return status;
}

} // namespace

std::string Shown(const std::string &text) {
    constexpr size_t kLongest = 40;
    std::string shown;
    for (size_t i = 0; i < text.size() && i < kLongest; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
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
    if (text.size() > kLongest)
        shown += "...";
    return shown;
}

void UseJsonMessages(bool json) { jsonMessages = json; }

void ReportWarnings() {
    for (const std::string &text : sys::TakeWarnings())
        Warn(text);
}

int UsageError(const std::string &message) { return Fail(kExitUsage, message); }

// The library's last warning says why it refused; any earlier ones stay
// warnings.
int Refused() {
    std::vector<std::string> texts = sys::TakeWarnings();
    if (texts.empty())
        return Fail(kExitRefused, "the library refused the input");
    for (size_t i = 0; i + 1 < texts.size(); ++i)
        Warn(texts[i]);
    return Fail(kExitRefused, texts.back());
}

int Failure(const std::string &message) { return Fail(kExitRefused, message); }

} // namespace kaldate
