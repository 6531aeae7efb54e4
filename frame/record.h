// The settings record every formatter and parser reads.
#pragma once

#include "kalder32.h"

// The one process-wide settings record; its load-time values stand until
// the settings are first read at attach.
extern WINDATESTRUC WinDateStruc;
