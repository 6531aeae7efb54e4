// The shared host library attaches itself when it is loaded and detaches
// when it is unloaded, as the loader does for the DLL.
#include "frame/host/loader.h"

#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor)) void AttachOnLoad() {
    if (!host::LoadLibrary()) {
        std::fprintf(stderr, "kalder32: the resource texts could not be loaded\n");
        std::abort();
    }
}

__attribute__((destructor)) void DetachOnUnload() { host::UnloadLibrary(); }

} // namespace
