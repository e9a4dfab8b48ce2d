#include "fileio/interrupt.h"

#include <cstring>

#include "fileio/interrupt_platform.h"

namespace fileio {

namespace {

constexpr int kSlots = 16;
constexpr std::size_t kPathMax = 4096;

enum SlotState : int { kFree = 0, kFilling = 1, kLive = 2 };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathMax];
};

Slot slots[kSlots];

static_assert(std::atomic<int>::is_always_lock_free, "the handler needs lock-free flags");
static_assert(std::atomic<OnInterrupt>::is_always_lock_free, "the handler needs lock-free flags");

}  // namespace

namespace detail {

std::atomic<int> receivedSignal{0};
std::atomic<OnInterrupt> interruptMode{OnInterrupt::Exit};

void forEachLiveTemporary(void (*remove)(const char* path)) noexcept {
    for (Slot& slot : slots)
        if (slot.state.load(std::memory_order_acquire) == kLive) remove(slot.path);
}

}  // namespace detail

int interruptSignal() noexcept {
    return detail::receivedSignal.load();
}

int registerTemporary(const char* path) noexcept {
    const std::size_t length = std::strlen(path);
    if (length >= kPathMax) return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (!slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(slots[i].path, path, length + 1);
        slots[i].state.store(kLive, std::memory_order_release);
        return i;
    }
    return -1;
}

void unregisterTemporary(int slot) noexcept {
    if (slot >= 0 && slot < kSlots) slots[slot].state.store(kFree, std::memory_order_release);
}

}  // namespace fileio
