// State shared by the pieces of the host stand-in (not for tests: they use
// host_control.h).
#pragma once

namespace host::detail {

// Each piece restores its own defaults; Reset() calls them all.
void ResetProfile();
void ResetSystem();
void ResetModules();
void ResetUserInterface();

// The fake handles the stand-in hands out.
extern char libraryModuleTag;
extern char resourceModuleTag;

} // namespace host::detail
