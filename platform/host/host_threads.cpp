// Host stand-in for the thread services: a thread-local value whose end
// is reported as the library's thread detach reports it under Windows.
#include <sched.h>

#include "platform/platform.h"
#include "platform/thread_value.h"

namespace plat::detail {
constinit thread_local void *threadValue = nullptr;
} // namespace plat::detail

namespace {

void (*threadEndHook)(void *) = nullptr;

// Made on a thread's first SetThreadValue; ends with the thread.
struct ThreadEndWatch {
    ~ThreadEndWatch() { plat::ThreadEnding(); }
};
thread_local ThreadEndWatch threadEndWatch;

} // namespace

namespace plat {

bool StartThreadValues(void (*atThreadEnd)(void *value)) {
    threadEndHook = atThreadEnd;
    return true;
}

void StopThreadValues() { threadEndHook = nullptr; }

void SetThreadValue(void *value) {
    static_cast<void>(&threadEndWatch); // its end runs ThreadEnding
    detail::threadValue = value;
}

void ThreadEnding() {
    if (detail::threadValue != nullptr && threadEndHook != nullptr)
        threadEndHook(detail::threadValue);
}

void YieldThread() { sched_yield(); }

} // namespace plat
