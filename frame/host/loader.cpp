#include "frame/host/loader.h"

#include "frame/attach.h"
#include "platform/host/host_state.h"

namespace host {

bool LoadLibrary() { return DllMain(&detail::libraryModuleTag, kDllProcessAttach, nullptr) != 0; }

void UnloadLibrary() { DllMain(&detail::libraryModuleTag, kDllProcessDetach, nullptr); }

} // namespace host
