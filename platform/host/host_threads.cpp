// Host stand-in for the thread services: a thread-local value whose end
// is reported as fiber-local storage reports it, and the process-wide write
// flush through membarrier.
#include <linux/membarrier.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/platform.h"

namespace {

void (*threadEndHook)(void *) = nullptr;
bool flushReady = false;

thread_local void *threadValue = nullptr;

// Made on a thread's first SetThreadValue; ends with the thread.
struct ThreadEndWatch {
    ~ThreadEndWatch() {
        if (threadValue != nullptr && threadEndHook != nullptr)
            threadEndHook(threadValue);
        threadValue = nullptr;
    }
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

void *ThreadValue() { return threadValue; }

void SetThreadValue(void *value) {
    static_cast<void>(&threadEndWatch); // its end runs the hook
    threadValue = value;
}

void FlushProcessWriteBuffers() {
    if (flushReady)
        Membarrier(MEMBARRIER_CMD_PRIVATE_EXPEDITED);
}

void YieldThread() { sched_yield(); }

} // namespace plat
