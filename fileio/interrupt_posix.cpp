#include <csignal>
#include <cstring>
#include <iterator>

#include <pthread.h>
#include <unistd.h>

#include "fileio/interrupt.h"
#include "fileio/interrupt_platform.h"

namespace fileio {

namespace {

void removeTemporary(const char* path) {
    ::unlink(path);
}

extern "C" void onInterrupt(int signal) {
    detail::forEachLiveTemporary(removeTemporary);
    if (detail::interruptMode.load() == OnInterrupt::Exit || detail::receivedSignal.load() != 0)
        ::_exit(interruptExitStatus(signal));
    detail::receivedSignal.store(signal);
}

// Ctrl+C, kill, a closed terminal (SIGHUP) and Ctrl+\ (SIGQUIT): each ends a
// command the same way.
constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

sigset_t handledSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kHandledSignals) sigaddset(&set, signal);
    return set;
}

}  // namespace

struct InterruptHandlers::Saved {
    struct sigaction earlier[std::size(kHandledSignals)]{};
    OnInterrupt mode = OnInterrupt::Exit;
    int received = 0;
};

InterruptHandlers::InterruptHandlers(OnInterrupt what) : saved_(new Saved) {
    saved_->mode = detail::interruptMode.load();
    saved_->received = detail::receivedSignal.load();
    detail::interruptMode.store(what);
    detail::receivedSignal.store(0);
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_mask = handledSignals();
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
    detail::interruptMode.store(saved_->mode);
    detail::receivedSignal.store(saved_->received);
    delete saved_;
}

InterruptsHeldBack::InterruptsHeldBack() {
    static_assert(sizeof(sigset_t) <= sizeof previous_, "the saved mask must fit");
    const sigset_t interrupts = handledSignals();
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &interrupts, &previous);
    std::memcpy(previous_, &previous, sizeof previous);
}

InterruptsHeldBack::~InterruptsHeldBack() {
    sigset_t previous;
    std::memcpy(&previous, previous_, sizeof previous);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

}  // namespace fileio
