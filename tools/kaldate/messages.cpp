#include "messages.h"

#include <cstdio>
#include <vector>

#include "kaldate.h"
#include "output.h"

namespace kaldate {
namespace {

bool jsonMessages = false;

void PrintMessage(const std::string &line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

void Warn(const std::string &text) {
    PrintMessage(jsonMessages ? JsonObject().Str("warning", text).Text() : "kaldate: " + text);
}

int Fail(int status, const std::string &message) {
    PrintMessage(jsonMessages ? JsonObject().Str("error", message).Int("status", status).Text()
                              : "kaldate: " + message);
    return status;
}

} // namespace

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
