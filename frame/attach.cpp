// Module start and stop.
//
// The resource module is taken from the library's own folder, found from
// the library's own path, never through the search path: an application
// folder or the current directory must not be able to hand the library
// other texts.  Attach fails quietly (the loader then refuses the library)
// when that folder cannot be determined or the module is not there.
#include "frame/attach.h"

#include <cstring>

#include "settings/publish/in_force.h"
#include "settings/publish/refresh.h"
#include "strings/date_names.h"
#include "strings/vs_string.h"
#include "strings/warning.h"

plat::Module ResourceModule = nullptr;

namespace {

constexpr unsigned kPathArea = 256; // 255 characters and the terminator
const char kResourceFileName[] = "\\kaldres.dll";

// Holds the library's path, then the resource module's path.
char pathArea[kPathArea];

// Replaces the library's file name in pathArea by the resource module's;
// false when the path has no folder or the result would not fit.
bool BuildResourcePath() {
    char *slash = std::strrchr(pathArea, '\\');
    if (!slash)
        return false;
    const size_t folderLength = static_cast<size_t>(slash - pathArea);
    if (folderLength + sizeof kResourceFileName > kPathArea)
        return false;
    std::memcpy(slash, kResourceFileName, sizeof kResourceFileName);
    return true;
}

int Attach(plat::Module module) {
    const unsigned length = plat::ModuleFileName(module, pathArea, kPathArea);
    if (length == 0 || length >= kPathArea)
        return 0; // no path, or one cut short
    if (!BuildResourcePath())
        return 0;
    ResourceModule = plat::LoadModule(pathArea);
    if (!ResourceModule)
        return 0;
    vs_RegisterInstance(ResourceModule);
    LoadDateNames();
    StartPublishing();
    if (RefreshSettings() == ReadingNotice::UnsupportedVersion)
        ShowWarning(plat::GetFocus(), kStrUnsupportedVersion);
    return 1;
}

void Detach() {
    if (ResourceModule) {
        plat::FreeModule(ResourceModule);
        ResourceModule = nullptr;
    }
    FreeDateNames();
    vs_FreeBuffers();
    StopPublishing();
}

} // namespace

extern "C" int KALDERAPI DllMain(plat::Module module, unsigned long reason, void *) {
    switch (reason) {
    case kDllProcessAttach:
        return Attach(module);
    case kDllProcessDetach:
        Detach();
        return 1;
    case kDllThreadDetach:
        plat::ThreadEnding(); // gives the thread's reader record back
        return 1;
    default:
        return 1;
    }
}
