// The library attaches itself when it is loaded and detaches at exit, as the
// loader does for the DLL: the shared library when it is loaded, the static
// one when the program starts.  The attach runs before any of the program's
// own constructors, so that they may call the library too, and after the
// host stand-in's objects are built (platform/host/host_state.h).
//
// The static library holds this object in the one object file it is made
// of, so a program that calls any export has it too; the calls themselves
// check nothing.
#include "frame/host/loader.h"
#include "platform/host/host_state.h"

#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor(HOST_ATTACH_PRIORITY))) void AttachOnLoad() {
    if (!host::LoadLibrary()) {
        std::fprintf(stderr, "kalder32: the resource texts could not be loaded\n");
        std::abort();
    }
}

__attribute__((destructor(HOST_ATTACH_PRIORITY))) void DetachOnUnload() { host::UnloadLibrary(); }

} // namespace
