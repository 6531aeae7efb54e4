// kaldate over the host stand-in: the library is linked in, attached here
// after --ini has chosen the profile, and its warning boxes are captured so
// that they can be printed on standard error. Its texts are Windows-1252;
// the terminal's are UTF-8.
#include "encoding.h"
#include "frame/host/loader.h"
#include "kaldate.h"
#include "platform/host/host_control.h"
#include "settings_file.h"
#include "strings/date_names.h"

namespace kaldate::sys {
namespace {

size_t reported = 0;
std::vector<std::string> notes; // the tool's own warnings

std::string NameOrEmpty(const char *name) { return name ? name : ""; }

} // namespace

bool SupportsIni() { return true; }
bool SupportsLanguage() { return true; }
bool UseLanguage(const std::string &language) { return host::SetLanguage(language.c_str()); }

int Start(const Options &options) {
    if (std::string error; !options.ini.empty() && !UseSettingsFile(options.ini, notes, error))
        return UsageError(error);
    host::CaptureMessageBoxes(true);
    if (!host::LoadLibrary())
        return Failure("the library could not be loaded (its resource module is missing)");
    return kExitOk;
}

std::vector<std::string> TakeWarnings() {
    std::vector<std::string> texts;
    texts.swap(notes);
    const std::vector<host::MessageBoxRecord> &boxes = host::MessageBoxes();
    for (; reported < boxes.size(); ++reported)
        texts.push_back(boxes[reported].text);
    return texts;
}

std::string ArgumentText(const char *arg) {
    int lost = 0;
    return IsUtf8(arg) ? Utf8ToCp1252(arg, lost) : arg;
}

void Write(std::FILE *stream, const std::string &text, Encoding encoding) {
    const std::string bytes = encoding == Encoding::kUtf8 ? text : Cp1252ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

std::string DayName(int weekday) { return NameOrEmpty(DayNames[weekday]); }
std::string DayAbbrev(int weekday) { return NameOrEmpty(DayAbbrevs[weekday]); }
std::string MonthName(int month0) { return NameOrEmpty(MonthNames[month0]); }
std::string Language() { return host::Language(); }

} // namespace kaldate::sys
