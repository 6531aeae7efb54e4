// The settings block in force, shared by every thread.
//
// A refresh builds a new block in full and then switches one pointer to
// it; every call takes the block in force once (SettingsReader) and reads
// only that block until it returns, so it sees the settings entirely from
// before or entirely from after any refresh.  Taking a block costs a few
// plain loads and stores: no lock, no read-modify-write, no allocation.
//
// Blocks live in a small static pool and are written only when no call
// holds them.  Each thread has a slot in which it names the block it
// holds; a refresh that wants a block back first makes every thread's
// earlier stores visible (plat::FlushProcessWriteBuffers), then waits until
// no slot names it.  A call marks its slot as taking before it reads which
// block is in force, and names that block next; a refresh that finds the
// mark waits the two instructions for the name.  So a call that read the
// block before a switch has marked or named it where the refresh looks,
// and a call that marks after the flush reads the block switched to.  A
// thread without a slot (its first call, more threads than slots, or a
// system without per-thread values) counts itself in the block's shared
// count instead, at the price of two atomic additions.
#pragma once

#include <atomic>

#include "platform/platform.h"
#include "platform/thread_value.h"
#include "settings/settings_block.h"

namespace current_settings {

struct alignas(64) ReaderSlot {
    std::atomic<const SettingsBlock *> held{nullptr};
    std::atomic<bool> claimed{false};
};

extern std::atomic<const SettingsBlock *> inForce;
// The quick settings of the block in force, stored with each switch.
extern std::atomic<QuickSettings> quickSettings;

// The calling thread's slot, null until its first call: kept in the
// platform's per-thread value, which releases the slot when the thread ends.
// (Not a C++ thread_local: MinGW emulates those in the DLL at the price of a
// call per read and a TLS index that no unload gives back.)
inline ReaderSlot *ThreadSlot() { return static_cast<ReaderSlot *>(plat::ThreadValue()); }

// The block in force, for a thread without a slot: named in a slot
// claimed now, or counted in its shared count (slot left null) when none
// can be had.
const SettingsBlock *TakeWithoutSlot(ReaderSlot *&slot);
void LeaveCounted(const SettingsBlock *block);

// How many threads hold a slot now (for tests).
int ClaimedSlots();

// Marks a slot whose call is reading which block is in force.
inline const SettingsBlock *Taking() { return reinterpret_cast<const SettingsBlock *>(1); }

// The block in force, named in the thread's own slot.
inline const SettingsBlock &TakeNamed(ReaderSlot *slot) {
    slot->held.store(Taking(), std::memory_order_release);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    const SettingsBlock *block = inForce.load(std::memory_order_acquire);
    slot->held.store(block, std::memory_order_release);
    return *block;
}

inline void LeaveNamed(ReaderSlot *slot) { slot->held.store(nullptr, std::memory_order_release); }

} // namespace current_settings

// The block in force for the length of one call.  A thread holds one block
// at a time: nothing that can call back into the library (a warning box,
// whose owner may) runs while a reader lives.
class SettingsReader {
  public:
    SettingsReader() : slot_(current_settings::ThreadSlot()) {
        if (slot_ == nullptr) [[unlikely]] {
            block_ = current_settings::TakeWithoutSlot(slot_);
            return;
        }
        block_ = &current_settings::TakeNamed(slot_);
    }
    ~SettingsReader() {
        if (slot_ == nullptr) [[unlikely]]
            current_settings::LeaveCounted(block_);
        else
            current_settings::LeaveNamed(slot_);
    }
    SettingsReader(const SettingsReader &) = delete;
    SettingsReader &operator=(const SettingsReader &) = delete;

    const SettingsBlock &operator*() const { return *block_; }
    const SettingsBlock *operator->() const { return block_; }

  private:
    // The slot naming the block, or null when the block is counted.
    current_settings::ReaderSlot *slot_;
    const SettingsBlock *block_;
};

// The quick settings in force: read in one load, so a call that reads
// nothing else sees them whole without taking the block.
inline QuickSettings QuickSettingsInForce() {
    return current_settings::quickSettings.load(std::memory_order_relaxed);
}

// Puts a copy of block in force, once no call holds the pool block it goes
// into.  Refreshes on several threads take turns.
void PublishSettings(const SettingsBlock &block);

// Per-thread slots from attach to detach; without them every call counts.
void StartSettingsReaders();
void StopSettingsReaders();
