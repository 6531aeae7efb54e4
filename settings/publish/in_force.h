// The settings in force, shared by every thread.
//
// Each reading of the settings becomes one Settings value that nothing
// changes after it is put in force.  A refresh puts a new value in force by
// switching one pointer, and gives the value it replaced back (to be built
// in again) once no thread names it.
//
// Every thread that calls the library keeps a reader record naming the
// value it holds: a hazard pointer that it keeps from call to call.  A call
// compares that name with the value in force; when they agree, as they do on
// every call but the first after a refresh, it reads the value and stores
// nothing.  Otherwise it names the value in force in its record and looks
// again (TakeInForce): once the two agree, a refresh that retires the value
// later is bound to see the name, and keeps the value.  Neither side waits
// for the other: a call whose second look finds a newer value names that
// one instead, and a refresh frees only what no record names, leaving the
// rest to a later refresh.  A thread frozen or killed anywhere keeps at most
// the one value its record names.
#pragma once

#include <atomic>

#include "platform/thread_value.h"
#include "settings/settings.h"

namespace in_force {

// One reading of the settings as published.
struct alignas(64) Published {
    Settings settings;
    Published *nextRetired = nullptr; // in the list of values to be given back
    void *allocation = nullptr;       // what to free; null for the values built in
    // An object made of the settings on first request (see DerivedOf),
    // released with the value.
    std::atomic<void *> derived{nullptr};
};

// A thread's record of the value it holds.
struct alignas(64) ReaderRecord {
    std::atomic<const Published *> held{nullptr};
    std::atomic<bool> active{false}; // owned by a thread or a call
    ReaderRecord *next = nullptr;    // every record, in one list
    void *allocation = nullptr;      // null for the records built in
};

extern std::atomic<const Published *> current;

// The settings taken for a call, and the record to give back when the call
// is over (null when the thread keeps its record).
struct Taken {
    const Settings *settings;
    ReaderRecord *perCall;
};

// The value in force, named in a record: the thread's own (its value,
// claimed now when it has none yet), or one for this call alone.
Taken TakeInForce(ReaderRecord *own);

// Gives a record back: it names nothing and another thread may claim it.
void LetGo(ReaderRecord *record);

// Records owned by a thread or a call now (for tests).
int ActiveRecords();

// Called, when set, between reading which value is in force and naming it,
// so that tests can put another value in force at that very point.
extern void (*testPointBeforeNaming)();

} // namespace in_force

// The settings in force when the thread's record names them already, as it
// does on every call but the first after a refresh; null otherwise, when
// the call takes them with a SettingsHold.  Nothing to give back: the
// record goes on naming them, under the same rule as a SettingsHold's.
inline const Settings *SettingsNamedByThread() {
    using namespace in_force;
    auto *own = static_cast<ReaderRecord *>(plat::ThreadValue());
    const Published *inForce = current.load(std::memory_order_acquire);
    if (own != nullptr && own->held.load(std::memory_order_relaxed) == inForce) [[likely]]
        return &inForce->settings;
    return nullptr;
}

// The settings in force for the length of one call.  The thread's record
// keeps naming them after the call, so nothing that the call does after it
// has last read them may let the thread take other settings before the
// call returns; a warning box (whose owner may call the library again) is
// shown only after the call has read what it needs.
class SettingsHold {
  public:
    SettingsHold() {
        using namespace in_force;
        settings_ = SettingsNamedByThread();
        perCall_ = nullptr;
        if (settings_ != nullptr) [[likely]]
            return;
        const Taken taken = TakeInForce(static_cast<ReaderRecord *>(plat::ThreadValue()));
        settings_ = taken.settings;
        perCall_ = taken.perCall;
    }
    ~SettingsHold() {
        if (perCall_ != nullptr) [[unlikely]]
            in_force::LetGo(perCall_);
    }
    SettingsHold(const SettingsHold &) = delete;
    SettingsHold &operator=(const SettingsHold &) = delete;

    const Settings &operator*() const { return *settings_; }
    const Settings *operator->() const { return settings_; }

  private:
    const Settings *settings_;
    in_force::ReaderRecord *perCall_;
};

// An object made of settings (the settings of a hold) by make, once for
// each value put in force, on the first request: kept with the value and
// handed to release when the value is given back.  Valid while the caller
// holds settings.  Null when make gives null.
void *DerivedOf(const Settings &settings, void *(*make)(const Settings &), void (*release)(void *));

// Puts a copy of settings in force; false, with the settings in force left
// as they are, when there is no memory for it.
bool PublishSettings(const Settings &settings);

// Thread records from attach to detach; without them every call takes a
// record for itself.  The detach puts the built-in settings back in force.
void StartPublishing();
void StopPublishing();
