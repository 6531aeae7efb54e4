#include "settings/publish/in_force.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace in_force {

namespace {

// The settings from module load until the first reading, and after the
// detach; never given back.
constinit Published builtIn{LoadTimeSettings()};

// Records built in, enough for the threads of most processes; more are
// allocated when all of these are active, and kept for reuse.
constexpr int kBuiltInRecords = 64;
struct RecordPool {
    ReaderRecord records[kBuiltInRecords];
    constexpr RecordPool() {
        for (int i = 0; i + 1 < kBuiltInRecords; ++i)
            records[i].next = &records[i + 1];
    }
};
constinit RecordPool pool;
std::atomic<ReaderRecord *> records{&pool.records[0]};

// Where a thread's value points once its end has been seen: its calls from
// then on take a record for the call alone.  Never active; names nothing.
constinit ReaderRecord ended;

std::atomic<bool> threadsKeepRecords{false};
std::atomic<Published *> retired{nullptr};

// Values built in, so that a refresh allocates nothing while there is a
// free one: enough for the one in force, the one a refresh is building, and
// a few that threads frozen in a call still name.  (An allocator may hold a
// lock that a frozen thread has taken.)  When all are in use a refresh
// allocates one, and frees it once no record names it.
constexpr int kBuiltInValues = 8;
constinit Published values[kBuiltInValues]{};
constinit std::atomic<bool> valueTaken[kBuiltInValues]{};

template <class T> T *NewAligned() {
    void *raw = std::malloc(sizeof(T) + alignof(T) - 1);
    if (raw == nullptr)
        return nullptr;
    const auto at = (reinterpret_cast<uintptr_t>(raw) + alignof(T) - 1) & ~(alignof(T) - 1);
    T *object = ::new (reinterpret_cast<void *>(at)) T;
    object->allocation = raw;
    return object;
}

// A value to build settings in: a built-in one that is free, else a new
// one; null when there is no memory.
Published *TakeValue() {
    for (int i = 0; i < kBuiltInValues; ++i) {
        if (!valueTaken[i].load(std::memory_order_relaxed) &&
            !valueTaken[i].exchange(true, std::memory_order_acquire))
            return &values[i];
    }
    return NewAligned<Published>();
}

// How derived objects are released: one function for all.
std::atomic<void (*)(void *)> releaseOfDerived{nullptr};

void ReleaseDerived(Published *value) {
    if (void *derived = value->derived.exchange(nullptr, std::memory_order_acquire))
        releaseOfDerived.load(std::memory_order_relaxed)(derived);
}

void GiveValueBack(Published *value) {
    ReleaseDerived(value);
    if (value->allocation != nullptr)
        std::free(value->allocation);
    else
        valueTaken[value - values].store(false, std::memory_order_release);
}

// A record no thread or call owns, made the caller's; null when none is
// free and none can be allocated.  A record's flag is read before it is
// exchanged, so that claiming never writes to the lines of records in use.
ReaderRecord *ClaimRecord() {
    for (ReaderRecord *r = records.load(std::memory_order_acquire); r != nullptr; r = r->next) {
        if (!r->active.load(std::memory_order_relaxed) &&
            !r->active.exchange(true, std::memory_order_acquire))
            return r;
    }
    ReaderRecord *fresh = NewAligned<ReaderRecord>();
    if (fresh == nullptr)
        return nullptr;
    fresh->active.store(true, std::memory_order_relaxed);
    ReaderRecord *head = records.load(std::memory_order_relaxed);
    do {
        fresh->next = head;
    } while (!records.compare_exchange_weak(head, fresh, std::memory_order_release,
                                            std::memory_order_relaxed));
    return fresh;
}

// Without memory for one more record, a call waits for a record to come
// free: the one case in which a call waits for others.
ReaderRecord *ClaimRecordForCall() {
    for (;;) {
        if (ReaderRecord *record = ClaimRecord())
            return record;
        plat::YieldThread();
    }
}

// Names the value in force in record, then looks again: the value it
// returns was in force after it was named, so any refresh that retires it
// sees the name.  Both sides are sequentially consistent, so that of the
// call's naming and the refresh's switch, whichever comes second sees the
// other.
const Published *NameInForce(ReaderRecord *record) {
    const Published *value = current.load(std::memory_order_seq_cst);
    for (;;) {
        if (testPointBeforeNaming != nullptr)
            testPointBeforeNaming();
        record->held.store(value, std::memory_order_seq_cst);
        const Published *again = current.load(std::memory_order_seq_cst);
        if (again == value)
            return value;
        value = again;
    }
}

bool NamedByAnyRecord(const Published *value) {
    for (ReaderRecord *r = records.load(std::memory_order_acquire); r != nullptr; r = r->next) {
        if (r->held.load(std::memory_order_seq_cst) == value)
            return true;
    }
    return false;
}

void PushRetired(Published *value) {
    Published *head = retired.load(std::memory_order_relaxed);
    do {
        value->nextRetired = head;
    } while (!retired.compare_exchange_weak(head, value, std::memory_order_release,
                                            std::memory_order_relaxed));
}

// Frees every retired value that no record names and keeps the rest.  The
// list is taken whole, so refreshes on several threads never free one
// value twice.
void FreeUnnamedRetired() {
    Published *value = retired.exchange(nullptr, std::memory_order_seq_cst);
    while (value != nullptr) {
        Published *next = value->nextRetired;
        if (NamedByAnyRecord(value))
            PushRetired(value);
        else
            GiveValueBack(value);
        value = next;
    }
}

// Puts value in force and retires the one it replaces.
void Switch(Published *value) {
    auto *replaced = const_cast<Published *>(current.exchange(value, std::memory_order_seq_cst));
    if (replaced != &builtIn)
        PushRetired(replaced);
    FreeUnnamedRetired();
}

void AtThreadEnd(void *value) {
    auto *record = static_cast<ReaderRecord *>(value);
    if (record != &ended)
        LetGo(record);
    plat::SetThreadValue(&ended);
}

} // namespace

std::atomic<const Published *> current{&builtIn};
void (*testPointBeforeNaming)() = nullptr;

Taken TakeInForce(ReaderRecord *own) {
    if (own == nullptr && threadsKeepRecords.load(std::memory_order_acquire)) {
        own = ClaimRecord();
        if (own != nullptr)
            plat::SetThreadValue(own);
    } else if (own == &ended) {
        own = nullptr;
    }
    if (own != nullptr)
        return Taken{&NameInForce(own)->settings, nullptr};
    // The load-time value needs no name: it is never replaced.
    const Published *value = current.load(std::memory_order_acquire);
    if (value == &builtIn)
        return Taken{&value->settings, nullptr};
    ReaderRecord *perCall = ClaimRecordForCall();
    return Taken{&NameInForce(perCall)->settings, perCall};
}

void LetGo(ReaderRecord *record) {
    record->held.store(nullptr, std::memory_order_release);
    record->active.store(false, std::memory_order_release);
}

int ActiveRecords() {
    int count = 0;
    for (ReaderRecord *r = records.load(std::memory_order_acquire); r != nullptr; r = r->next)
        count += r->active.load(std::memory_order_acquire) ? 1 : 0;
    return count;
}

} // namespace in_force

using namespace in_force;

void *DerivedOf(const Settings &settings, void *(*make)(const Settings &),
                void (*release)(void *)) {
    static_assert(offsetof(Published, settings) == 0);
    auto &value = const_cast<Published &>(reinterpret_cast<const Published &>(settings));
    void *derived = value.derived.load(std::memory_order_acquire);
    if (derived != nullptr)
        return derived;
    void *made = make(settings);
    if (made == nullptr)
        return nullptr;
    releaseOfDerived.store(release, std::memory_order_relaxed);
    if (value.derived.compare_exchange_strong(derived, made, std::memory_order_acq_rel))
        return made;
    release(made); // another call made one first
    return derived;
}

bool PublishSettings(const Settings &settings) {
    Published *value = TakeValue();
    if (value == nullptr)
        return false;
    value->settings = settings;
    Switch(value);
    return true;
}

void StartPublishing() {
    threadsKeepRecords.store(plat::StartThreadValues(AtThreadEnd), std::memory_order_release);
}

// The detaching thread gives its record back; values that other threads'
// records still name stay theirs (a thread of a process that exits may still
// be in a call).
void StopPublishing() {
    if (threadsKeepRecords.exchange(false)) {
        auto *own = static_cast<ReaderRecord *>(plat::ThreadValue());
        if (own != nullptr && own != &ended)
            LetGo(own);
        plat::SetThreadValue(nullptr);
        plat::StopThreadValues();
    }
    Switch(&builtIn);
    ReleaseDerived(&builtIn);
}
