// String-table access.
//
// Texts are fetched by number from the registered resource module into
// buffers owned here: one scratch buffer and a ring of numbered buffers, all
// of one size.  A missing string is reported in a stop box and replaced by
// "?"; with ZQSHOWVSIDS=yes every text is replaced by its number, so a
// translator can see where each text on the screen comes from.
//
// Every text this module writes itself goes through a bounded write, so a
// buffer smaller than the fixed texts receives them cut, never overrun.
#include "strings/vs_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "text/ascii_compare.h"

namespace {

const char kNoModuleText[] = "<Error: vs_RegisterInstance() not called before string retrieval>";
const char kShowIdFormat[] = "<%ld>";
const char kStringMissingFormat[] = "vs_String(): %s: wStringID=%ld";
const char kStringNMissingFormat[] = "vs_StringN(): %s: wStringID=%ld";
const char kIndexFormat[] = "vs_StringN(): %s: buffer_index=%d";
const char kMissingResource[] = "Missing String Resource";
const char kIndexOutOfRange[] = "String index out of range";
const char kErrorCaption[] = "Error!";
const char kStandIn[] = "?";

constexpr int16_t kDefaultCount = 7;
constexpr int16_t kDefaultSize = 256;

plat::Module registeredModule = nullptr;
int16_t bufferSize = kDefaultSize;
int16_t bufferCount = kDefaultCount;
char *scratchBuffer = nullptr;
char **ringBuffers = nullptr;
int16_t ringSlots = 0; // how many ring buffers were created
int showIds = 0;
int16_t rotationCursor = 0;

// Handed out when no buffer can be created, so callers always get a text.
char noBufferText[2] = "?";

char *NoBufferText() {
    noBufferText[0] = '?';
    noBufferText[1] = '\0';
    return noBufferText;
}

// A buffer to fetch into: where and how large.
struct Target {
    char *text;
    int16_t size;
};

void WriteText(Target target, const char *format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(target.text, static_cast<size_t>(target.size), format, args);
    va_end(args);
}

bool ShowIdsRequested() {
    const char *value = plat::GetEnv("ZQSHOWVSIDS");
    return value && SameText(value, "yes");
}

// The stop box for a fault of the library's own making: beep, then a
// task-modal box with no owner.
void ShowStopBox(const char *text) {
    plat::MessageBeep(0);
    plat::MessageBox(nullptr, text, kErrorCaption,
                     plat::kMbTaskModal | plat::kMbIconHand | plat::kMbOk);
}

// Fills target with string id of module: the no-module text, the number in
// show-IDs mode, or the text itself; a missing text is reported with
// missingFormat and becomes "?".
void FillFromModule(plat::Module module, uint16_t id, Target target, const char *missingFormat) {
    if (!module) {
        WriteText(target, "%s", kNoModuleText);
        return;
    }
    if (showIds) {
        WriteText(target, kShowIdFormat, static_cast<long>(id));
        return;
    }
    if (plat::LoadString(module, id, target.text, target.size - 1) == 0) {
        WriteText(target, missingFormat, kMissingResource, static_cast<long>(id));
        ShowStopBox(target.text);
        WriteText(target, "%s", kStandIn);
    }
}

Target Shared(char *buffer) { return Target{buffer, bufferSize}; }

void ReleaseRing() {
    for (int16_t i = 0; i < ringSlots; ++i) {
        std::free(ringBuffers[i]);
        ringBuffers[i] = nullptr;
    }
    std::free(ringBuffers);
    ringBuffers = nullptr;
    ringSlots = 0;
}

} // namespace

int vs_InitBuffers(int16_t count, int16_t size) {
    // Only ever called while no buffers exist; a call while they do must
    // not change the size and count the existing buffers were made with.
    if (scratchBuffer || ringBuffers)
        return -1;
    showIds = ShowIdsRequested() ? 1 : 0;
    bufferSize = size;
    bufferCount = count;
    if (count < 1 || size < 2)
        return -1;

    scratchBuffer = static_cast<char *>(std::calloc(static_cast<size_t>(size), 1));
    if (!scratchBuffer)
        return -1;
    ringBuffers = static_cast<char **>(std::calloc(static_cast<size_t>(count), sizeof(char *)));
    if (!ringBuffers) {
        std::free(scratchBuffer);
        scratchBuffer = nullptr;
        return -1;
    }
    for (int16_t i = 0; i < count; ++i) {
        ringBuffers[i] = static_cast<char *>(std::calloc(static_cast<size_t>(size), 1));
        if (!ringBuffers[i]) {
            // Release the ones made, last first.
            for (int16_t j = static_cast<int16_t>(i - 1); j >= 0; --j) {
                std::free(ringBuffers[j]);
                ringBuffers[j] = nullptr;
            }
            std::free(ringBuffers);
            ringBuffers = nullptr;
            std::free(scratchBuffer);
            scratchBuffer = nullptr;
            return -1;
        }
    }
    ringSlots = count;
    return 0;
}

void vs_FreeBuffers() {
    if (scratchBuffer) {
        std::free(scratchBuffer);
        scratchBuffer = nullptr;
    }
    if (ringBuffers)
        ReleaseRing();
}

void vs_RegisterInstance(plat::Module module) {
    registeredModule = module;
    if (!scratchBuffer)
        vs_InitBuffers(bufferCount, bufferSize);
}

plat::Module vs_GetInstance() { return registeredModule; }

char *vs_String(uint32_t stringId) {
    if (!scratchBuffer)
        vs_InitBuffers(kDefaultCount, kDefaultSize);
    if (!scratchBuffer)
        return NoBufferText();
    FillFromModule(registeredModule, static_cast<uint16_t>(stringId), Shared(scratchBuffer),
                   kStringMissingFormat);
    return scratchBuffer;
}

char *vs_StringN(uint32_t stringId, int32_t bufferIndex) {
    if (!ringBuffers)
        vs_InitBuffers(kDefaultCount, kDefaultSize);
    if (!ringBuffers)
        return NoBufferText();
    const int16_t index = static_cast<int16_t>(bufferIndex);
    if (index < 0 || index >= bufferCount) {
        char *first = ringBuffers[0];
        WriteText(Shared(first), kIndexFormat, kIndexOutOfRange, static_cast<int>(index));
        ShowStopBox(first);
        WriteText(Shared(first), "%s", kStandIn);
        return first;
    }
    FillFromModule(registeredModule, static_cast<uint16_t>(stringId), Shared(ringBuffers[index]),
                   kStringNMissingFormat);
    return ringBuffers[index];
}

char *vs_StringNext(uint32_t stringId) {
    if (!ringBuffers)
        vs_InitBuffers(kDefaultCount, kDefaultSize);
    if (!ringBuffers)
        return NoBufferText();
    rotationCursor = static_cast<int16_t>((rotationCursor + 1) % (bufferCount + 1));
    char *target = rotationCursor == bufferCount ? scratchBuffer : ringBuffers[rotationCursor];
    FillFromModule(registeredModule, static_cast<uint16_t>(stringId), Shared(target),
                   kStringMissingFormat);
    return target;
}

char *vs_LoadText(uint32_t stringId, char *out, int16_t size) {
    if (size < 2) {
        if (size == 1)
            out[0] = '\0';
        return out;
    }
    FillFromModule(registeredModule, static_cast<uint16_t>(stringId), Target{out, size},
                   kStringMissingFormat);
    return out;
}

int16_t vs_BufferCount() { return bufferCount; }
int16_t vs_BufferSize() { return bufferSize; }
