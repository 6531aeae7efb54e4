// The calling thread's value (see StartThreadValues in platform.h), read
// inline: every call over the settings reads it, so it must not cost a call
// into the system.
#pragma once

#if defined(_WIN32)
#include "platform/win32/win32_thread_value.h"
#else
#include "platform/host/host_thread_value.h"
#endif
