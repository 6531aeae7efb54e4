// The INF reader on any file: the value lookup and field walk alone, then
// the whole settings read through the INF fallback of Windows 3.10.
#include <fuzzer/FuzzedDataProvider.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_common.h"
#include "record_snapshot.h"
#include "settings/analyse/pictures.h"
#include "settings/read/inf_reader.h"
#include "settings/read/read_settings.h"
#include "text/limited_text.h"

namespace {

std::string Dir() {
    static const std::string dir = [] {
        const char *tmp = std::getenv("TMPDIR");
        std::string d = std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/kalder_fuzz_inf_" +
                        std::to_string(getpid());
        mkdir(d.c_str(), 0700);
        mkdir((d + "/SYSTEM").c_str(), 0700);
        return d;
    }();
    return dir;
}

void WriteFile(const std::string &path, const std::string &content) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        std::abort();
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
}

bool Terminated(const char *field, size_t width) {
    return std::memchr(field, '\0', width) != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::AttachOnce();
    FuzzedDataProvider in(data, size);
    const std::string key = in.ConsumeRandomLengthString(48);
    const std::string content = in.ConsumeRemainingBytesAsString();
    const std::string path = Dir() + "/SYSTEM/CONTROL.INF";
    WriteFile(path, content);

    // The value area is exactly as large as its limit allows.
    auto value = std::make_unique<char[]>(191);
    FindInfValue("country", key.c_str(), "", value.get(), 190, path.c_str());
    fuzz::Require(std::strlen(value.get()) <= 190);
    const char *cursor = value.get();
    auto field = std::make_unique<char[]>(60);
    for (int i = 0; i < 20 && cursor != nullptr && *cursor; ++i) {
        cursor = NextField(cursor, "!", field.get(), 60);
        fuzz::Require(std::strlen(field.get()) <= 59);
    }

    host::SetVersion(3, 10);
    host::SetWindowsDirectory(Dir().c_str());
    host::SetProfileKey("intl", "sShortDate", nullptr);
    host::SetProfileKey("intl", "sCountry", key.c_str());
    GetWinDateFormat();
    const WINDATESTRUC r = Record();
    fuzz::Require(Terminated(r.sTime, sizeof r.sTime) && Terminated(r.sDate, sizeof r.sDate) &&
                  Terminated(r.sShortDate, sizeof r.sShortDate) &&
                  Terminated(r.sLongDate, sizeof r.sLongDate) &&
                  Terminated(r.sThousand, sizeof r.sThousand) &&
                  Terminated(r.sDecimal, sizeof r.sDecimal) &&
                  Terminated(r.szShortFmt, sizeof r.szShortFmt) &&
                  Terminated(r.szLongFmt, sizeof r.szLongFmt));
    auto out = std::make_unique<char[]>(40);
    const DosDate d{2024, 3, 2, 5};
    FillDosDateFormatString(&d, out.get());
    KALDER_TM tm{};
    tm.tm_year = 124;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_wday = 2;
    FillLongDateFormatString(tm, out.get());
    host::ClearMessageBoxes();
    return 0;
}
