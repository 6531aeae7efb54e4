// Host stand-in for the thread services: a thread-local value whose end
// is reported as the library's thread detach reports it under Windows, and
// the process-wide write flush through membarrier.
#include <linux/membarrier.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/thread_value.h"

namespace plat::detail {
constinit thread_local void *threadValue = nullptr;
} // namespace plat::detail

namespace {

void (*threadEndHook)(void *) = nullptr;
bool flushReady = false;

// Made on a thread's first SetThreadValue; ends with the thread.
struct ThreadEndWatch {
    ~ThreadEndWatch() { plat::ThreadEnds(); }
};
thread_local ThreadEndWatch threadEndWatch;

long Membarrier(int command) { return syscall(__NR_membarrier, command, 0, 0); }

} // namespace

namespace plat {

bool StartThreadValues(void (*atThreadEnd)(void *value)) {
    threadEndHook = atThreadEnd;
    if (!flushReady)
        flushReady = Membarrier(MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED) == 0;
    return flushReady;
}

// The process stays registered for the flush: that cannot be undone.
void StopThreadValues() { threadEndHook = nullptr; }

void SetThreadValue(void *value) {
    static_cast<void>(&threadEndWatch); // its end runs ThreadEnds
    detail::threadValue = value;
}

void ThreadEnds() {
    if (detail::threadValue != nullptr && threadEndHook != nullptr)
        threadEndHook(detail::threadValue);
    detail::threadValue = nullptr;
}

void FlushProcessWriteBuffers() {
    if (flushReady)
        Membarrier(MEMBARRIER_CMD_PRIVATE_EXPEDITED);
}

void YieldThread() { sched_yield(); }

} // namespace plat
