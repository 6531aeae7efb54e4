// State shared by the pieces of the host stand-in (not for tests: they use
// host_control.h).
#pragma once

// The stand-in's objects are built before any of a program's own, and the
// library attaches itself between the two (frame/host/autoload.cpp): a
// program's constructors may already call the library, and the attach
// already uses the stand-in.  Each object of the stand-in that a constructor
// builds or a destructor takes down is marked HOST_EARLY.
#define HOST_OBJECT_PRIORITY 101
#define HOST_ATTACH_PRIORITY 102
#define HOST_EARLY __attribute__((init_priority(HOST_OBJECT_PRIORITY)))

namespace host::detail {

// Each piece restores its own defaults; Reset() calls them all.
void ResetProfile();
void ResetSystem();
void ResetModules();
void ResetUserInterface();

// The fake handle of the library itself.
extern char libraryModuleTag;

} // namespace host::detail
