// String-table access: texts fetched by number from the registered resource
// module into buffers this module owns.
#pragma once

#include <cstdint>

#include "platform/platform.h"

int vs_InitBuffers(int16_t count, int16_t size);
void vs_FreeBuffers();
void vs_RegisterInstance(plat::Module module);
plat::Module vs_GetInstance();

// Identifiers are cut to their low 16 bits, buffer indexes to 16 signed bits.
char *vs_String(uint32_t stringId);
char *vs_StringN(uint32_t stringId, int32_t bufferIndex);
char *vs_StringNext(uint32_t stringId);

// Fetches a text as vs_String does (the show-IDs mode, "?" after the stop
// box for a missing one) into out (size bytes) instead of a shared buffer,
// so that callers on several threads each get their own; returns out.
char *vs_LoadText(uint32_t stringId, char *out, int16_t size);

// Current buffer count and size (the values of the last vs_InitBuffers).
int16_t vs_BufferCount();
int16_t vs_BufferSize();
