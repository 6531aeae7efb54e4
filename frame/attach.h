// Module start and stop.
#pragma once

#include "kalder32.h"
#include "platform/platform.h"

enum : unsigned long {
    kDllProcessDetach = 0,
    kDllProcessAttach = 1,
    kDllThreadAttach = 2,
    kDllThreadDetach = 3,
};

// The resource module loaded at attach, null before and after.
extern plat::Module ResourceModule;

extern "C" int KALDERAPI DllMain(plat::Module module, unsigned long reason, void *reserved);
