#include "settings/current_settings.h"

#include <cstring>

namespace current_settings {

namespace {

// Three blocks: the one in force, the one before it, which calls may still
// hold just after a refresh, and a third that such calls had long let go,
// so that back-to-back refreshes seldom wait.
constexpr int kPoolSize = 3;
constexpr int kSlots = 64;

constinit SettingsBlock pool[kPoolSize] = {LoadTimeBlock()};
std::atomic<int> counted[kPoolSize];
ReaderSlot slots[kSlots];
std::atomic<bool> slotsReady{false};
// Claimed slots, so that when all are taken a thread need not look.
std::atomic<int> slotsClaimed{0};
std::atomic_flag refreshing = ATOMIC_FLAG_INIT;

int PoolIndex(const SettingsBlock *block) { return static_cast<int>(block - pool); }

// Whether any call may still read block: named in a slot or counted.  Only
// after a write flush, so that names stored before it are seen.
bool Held(const SettingsBlock *block) {
    if (counted[PoolIndex(block)].load(std::memory_order_seq_cst) != 0)
        return true;
    for (const ReaderSlot &slot : slots) {
        const SettingsBlock *held = slot.held.load(std::memory_order_acquire);
        while (held == Taking()) {
            plat::YieldThread();
            held = slot.held.load(std::memory_order_acquire);
        }
        if (held == block)
            return true;
    }
    return false;
}

// A pool block out of force that no call holds, waited for.  A call that
// read the block in force before the last switch has marked its slot or
// named the block by then; the flush makes that seen here.
SettingsBlock *FreeBlock() {
    const SettingsBlock *inForceNow = inForce.load(std::memory_order_relaxed);
    plat::FlushProcessWriteBuffers();
    for (;;) {
        for (SettingsBlock &block : pool) {
            if (&block != inForceNow && !Held(&block))
                return &block;
        }
        plat::YieldThread();
    }
}

void ReleaseSlot(void *value) {
    auto *slot = static_cast<ReaderSlot *>(value);
    if (slot == nullptr)
        return;
    slot->held.store(nullptr, std::memory_order_release);
    slot->claimed.store(false, std::memory_order_release);
    slotsClaimed.fetch_sub(1, std::memory_order_relaxed);
}

// A free slot, claimed and made the calling thread's; null when none.
ReaderSlot *ClaimSlot() {
    if (!slotsReady.load(std::memory_order_acquire) ||
        slotsClaimed.load(std::memory_order_relaxed) >= kSlots)
        return nullptr;
    for (ReaderSlot &slot : slots) {
        bool free = false;
        if (slot.claimed.compare_exchange_strong(free, true, std::memory_order_acquire)) {
            slotsClaimed.fetch_add(1, std::memory_order_relaxed);
            plat::SetThreadValue(&slot);
            return &slot;
        }
    }
    return nullptr;
}

const SettingsBlock *TakeCounted() {
    for (;;) {
        const SettingsBlock *block = inForce.load(std::memory_order_seq_cst);
        std::atomic<int> &count = counted[PoolIndex(block)];
        count.fetch_add(1, std::memory_order_seq_cst);
        if (inForce.load(std::memory_order_seq_cst) == block)
            return block;
        count.fetch_sub(1, std::memory_order_release);
    }
}

} // namespace

std::atomic<const SettingsBlock *> inForce{&pool[0]};
constinit std::atomic<QuickSettings> quickSettings{LoadTimeBlock().quick};
static_assert(std::atomic<QuickSettings>::is_always_lock_free);

int ClaimedSlots() { return slotsClaimed.load(std::memory_order_acquire); }

const SettingsBlock *TakeWithoutSlot(ReaderSlot *&slot) {
    slot = ClaimSlot();
    if (slot != nullptr)
        return &TakeNamed(slot);
    return TakeCounted();
}

void LeaveCounted(const SettingsBlock *block) {
    counted[PoolIndex(block)].fetch_sub(1, std::memory_order_release);
}

} // namespace current_settings

using namespace current_settings;

void PublishSettings(const SettingsBlock &block) {
    while (refreshing.test_and_set(std::memory_order_acquire))
        plat::YieldThread();
    SettingsBlock *target = FreeBlock();
    std::memcpy(static_cast<void *>(target), &block, sizeof block);
    inForce.store(target, std::memory_order_seq_cst);
    quickSettings.store(target->quick, std::memory_order_relaxed);
    refreshing.clear(std::memory_order_release);
}

void StartSettingsReaders() {
    slotsReady.store(plat::StartThreadValues(ReleaseSlot), std::memory_order_release);
}

void StopSettingsReaders() {
    if (slotsReady.exchange(false))
        plat::StopThreadValues();
}
