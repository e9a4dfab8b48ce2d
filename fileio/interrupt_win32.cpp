#include <windows.h>

#include <atomic>
#include <csignal>
#include <iterator>
#include <mutex>
#include <string>

#include "fileio/interrupt.h"
#include "fileio/interrupt_platform.h"

namespace fileio {

namespace {

// Taken while a temporary is created and registered, and by the handler while
// it removes them: the console handler runs on a thread of its own.
std::recursive_mutex& creationLock() {
    static std::recursive_mutex lock;
    return lock;
}

// Whether handlers are installed; the handler of a closing console waits on it.
std::atomic<int> installed{0};

// The writer keeps its temporary open with deletion shared, so it goes here and
// the writer's handle, still open, writes into a file no one will see.
void removeTemporary(const char* utf8) {
    wchar_t wide[4096];
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, static_cast<int>(std::size(wide)));
    if (n > 0) DeleteFileW(wide);
}

BOOL WINAPI onConsoleEvent(DWORD event) {
    std::unique_lock<std::recursive_mutex> held(creationLock());
    detail::forEachLiveTemporary(removeTemporary);
    // Ctrl+C, Ctrl+Break and a closing console all stop the command as SIGINT
    // does. The process ends under the lock: no temporary is made after the removal.
    if (detail::interruptMode.load() == OnInterrupt::Exit || detail::receivedSignal.load() != 0)
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(interruptExitStatus(SIGINT)));
    detail::receivedSignal.store(SIGINT);
    held.unlock();
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // The process ends when this returns: the command gets the few seconds
        // Windows gives to wind down (the port gets its settings back) and
        // takes its handlers away when it has.
        const int level = installed.load();
        for (int waited = 0; waited < 4500 && installed.load() >= level; waited += 50) Sleep(50);
    }
    return TRUE;
}

}  // namespace

struct InterruptHandlers::Saved {
    OnInterrupt mode = OnInterrupt::Exit;
    int received = 0;
};

InterruptHandlers::InterruptHandlers(OnInterrupt what) : saved_(new Saved) {
    saved_->mode = detail::interruptMode.load();
    saved_->received = detail::receivedSignal.load();
    detail::interruptMode.store(what);
    detail::receivedSignal.store(0);
    ++installed;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

InterruptHandlers::~InterruptHandlers() {
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    --installed;
    detail::interruptMode.store(saved_->mode);
    detail::receivedSignal.store(saved_->received);
    delete saved_;
}

InterruptsHeldBack::InterruptsHeldBack() : previous_{} {
    creationLock().lock();
}

InterruptsHeldBack::~InterruptsHeldBack() {
    creationLock().unlock();
}

}  // namespace fileio
