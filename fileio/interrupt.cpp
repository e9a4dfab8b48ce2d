#include "fileio/interrupt.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <iterator>

#include <pthread.h>
#include <unistd.h>

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
volatile std::sig_atomic_t received = 0;
volatile OnInterrupt mode = OnInterrupt::Exit;

static_assert(std::atomic<int>::is_always_lock_free, "the handler needs lock-free flags");

void removeLiveTemporaries() noexcept {
    for (Slot& slot : slots)
        if (slot.state.load(std::memory_order_acquire) == kLive) ::unlink(slot.path);
}

extern "C" void onInterrupt(int signal) {
    removeLiveTemporaries();
    if (mode == OnInterrupt::Exit || received != 0) ::_exit(interruptExitStatus(signal));
    received = signal;
}

// Ctrl+C, kill, a closed terminal (SIGHUP) and Ctrl+\ (SIGQUIT): each ends a
// command the same way.
constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

}  // namespace

struct InterruptHandlers::Saved {
    struct sigaction earlier[std::size(kHandledSignals)]{};
    OnInterrupt mode = OnInterrupt::Exit;
    std::sig_atomic_t received = 0;
};

InterruptHandlers::InterruptHandlers(OnInterrupt what) : saved_(new Saved) {
    saved_->mode = mode;
    saved_->received = received;
    mode = what;
    received = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (int signal : kHandledSignals) sigaddset(&action.sa_mask, signal);
    action.sa_flags = 0;  // no SA_RESTART: a wait on the port returns at once
    for (std::size_t i = 0; i < std::size(kHandledSignals); ++i) {
        ::sigaction(kHandledSignals[i], nullptr, &saved_->earlier[i]);
        // A signal the program was started to ignore (SIGHUP under nohup, Ctrl+C
        // for a background job) stays ignored.
        if (saved_->earlier[i].sa_handler != SIG_IGN)
            ::sigaction(kHandledSignals[i], &action, nullptr);
    }
}

InterruptHandlers::~InterruptHandlers() {
    for (std::size_t i = 0; i < std::size(kHandledSignals); ++i)
        ::sigaction(kHandledSignals[i], &saved_->earlier[i], nullptr);
    mode = saved_->mode;
    received = saved_->received;
    delete saved_;
}

InterruptsHeldBack::InterruptsHeldBack() {
    sigset_t interrupts;
    sigemptyset(&interrupts);
    for (int signal : kHandledSignals) sigaddset(&interrupts, signal);
    ::pthread_sigmask(SIG_BLOCK, &interrupts, &previous_);
}

InterruptsHeldBack::~InterruptsHeldBack() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

int interruptSignal() noexcept {
    return received;
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
