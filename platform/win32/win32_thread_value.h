// Windows thread values: a TLS index below 64, read straight from the
// thread's TLS slots in its environment block, which is what TlsGetValue
// does for such an index, without the call and the last-error reset.  The
// slots sit at a fixed place in the block on every Windows since NT (0xE10
// in the 32-bit block, 0x1480 in the 64-bit one).
#pragma once

#include <intrin.h>

namespace plat {

namespace detail {
// The TLS index, or kNoThreadValues before StartThreadValues succeeds and
// after StopThreadValues.
constexpr unsigned long kNoThreadValues = 64;
extern unsigned long threadValueIndex;
} // namespace detail

inline void *ThreadValue() {
    const unsigned long index = detail::threadValueIndex;
    if (index >= detail::kNoThreadValues)
        return nullptr;
#if defined(_WIN64)
    return reinterpret_cast<void *>(__readgsqword(0x1480 + index * 8));
#else
    return reinterpret_cast<void *>(__readfsdword(0xE10 + index * 4));
#endif
}

} // namespace plat
