// Host thread values: one thread_local pointer.  Initial-exec, so that even
// in the shared library a read is one load from the thread's block rather
// than a call to the dynamic loader's lookup.
#pragma once

namespace plat {

namespace detail {
extern constinit thread_local void *threadValue __attribute__((tls_model("initial-exec")));
} // namespace detail

inline void *ThreadValue() { return detail::threadValue; }

} // namespace plat
