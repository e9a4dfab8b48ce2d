#pragma once
// What the two sides of the interrupt handlers (interrupt_posix.cpp,
// interrupt_win32.cpp) share with the common part.

#include <atomic>

#include "fileio/interrupt.h"

namespace fileio::detail {

// The signal noted since the handlers were installed, and what a signal does.
// Lock-free, so a signal handler may read and write them.
extern std::atomic<int> receivedSignal;
extern std::atomic<OnInterrupt> interruptMode;

// Calls remove with the name of every live temporary. Safe in a signal handler:
// no lock, no allocation.
void forEachLiveTemporary(void (*remove)(const char* path)) noexcept;

}  // namespace fileio::detail
