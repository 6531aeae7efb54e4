// kaldate over the host stand-in: the library is linked in, attached here
// after --ini has chosen the profile, and its warning boxes are captured so
// that they can be printed on standard error.
#include "frame/host/loader.h"
#include "kaldate.h"
#include "platform/host/host_control.h"
#include "strings/date_names.h"

namespace kaldate::sys {
namespace {

size_t reported = 0;

std::string NameOrEmpty(const char *name) { return name ? name : ""; }

} // namespace

bool SupportsIni() { return true; }

bool Start(const Options &options, std::string &error) {
    if (!options.ini.empty())
        host::SetProfileFile(options.ini.c_str());
    host::CaptureMessageBoxes(true);
    if (!host::LoadLibrary()) {
        error = "the library could not be loaded (its resource module is missing)";
        return false;
    }
    return true;
}

std::vector<std::string> TakeWarnings() {
    std::vector<std::string> texts;
    const std::vector<host::MessageBoxRecord> &boxes = host::MessageBoxes();
    for (; reported < boxes.size(); ++reported)
        texts.push_back(boxes[reported].text);
    return texts;
}

std::string DayName(int weekday) { return NameOrEmpty(DayNames[weekday]); }
std::string DayAbbrev(int weekday) { return NameOrEmpty(DayAbbrevs[weekday]); }
std::string MonthName(int month0) { return NameOrEmpty(MonthNames[month0]); }

} // namespace kaldate::sys
