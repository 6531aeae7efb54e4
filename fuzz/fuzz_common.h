// Shared set-up of the fuzz targets: the library attached once with the
// built-in profile, warning boxes captured (and dropped after each input).
#pragma once

#include <cstdlib>
#include <cstring>

#include "frame/host/loader.h"
#include "kalder32.h"
#include "platform/host/host_control.h"

namespace fuzz {

inline void AttachOnce() {
    static const bool attached = [] {
        host::CaptureMessageBoxes(true);
        return host::LoadLibrary();
    }();
    if (!attached)
        std::abort();
}

// A property that must hold; a violation is a finding like a crash.
inline void Require(bool ok) {
    if (!ok)
        __builtin_trap();
}

// A field filled with at most width - 1 characters of text.
inline void SetField(char *field, size_t width, const std::string &text) {
    const size_t n = text.size() < width - 1 ? text.size() : width - 1;
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

} // namespace fuzz
