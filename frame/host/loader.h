// Host stand-in for the loader: attaches and detaches the library as the
// system does for the DLL.
#pragma once

namespace host {

// Calls the library's attach and detach as the loader would.
bool LoadLibrary();
void UnloadLibrary();

} // namespace host
