#pragma once
// Ctrl+C (SIGINT), SIGTERM, a closed terminal (SIGHUP) and Ctrl+\ (SIGQUIT)
// during a command of the command-line tool: every temporary file being written
// is removed at once (from the signal handler, with unlink only), so an
// interrupted save leaves nothing behind and the earlier file intact.

#include <signal.h>

namespace fileio {

enum class OnInterrupt {
    Exit,  // remove the temporaries and end the process with status 128 + signal
    Note,  // remove the temporaries and only note the signal; the command winds
           // down itself (the device reading gives the port its settings back first).
           // A second signal ends the process at once.
};

// Installs the handlers for SIGINT, SIGTERM, SIGHUP and SIGQUIT for its lifetime; the earlier
// handlers come back when it ends.
class InterruptHandlers {
  public:
    explicit InterruptHandlers(OnInterrupt what);
    ~InterruptHandlers();
    InterruptHandlers(const InterruptHandlers&) = delete;
    InterruptHandlers& operator=(const InterruptHandlers&) = delete;

  private:
    struct Saved;
    Saved* saved_;
};

// Holds the interrupt signals back in this thread for its lifetime: a temporary
// is created and registered under it, so the handler never meets a temporary it
// does not know, nor removes a file of that name that is not ours.
class InterruptsHeldBack {
  public:
    InterruptsHeldBack();
    ~InterruptsHeldBack();
    InterruptsHeldBack(const InterruptsHeldBack&) = delete;
    InterruptsHeldBack& operator=(const InterruptsHeldBack&) = delete;

  private:
    sigset_t previous_;
};

// The signal received since the handlers were installed, 0 when none.
int interruptSignal() noexcept;

// The exit status for an interrupted command: 128 + the signal (130 after SIGINT,
// 143 after SIGTERM, 129 after SIGHUP, 131 after SIGQUIT).
inline int interruptExitStatus(int signal) {
    return 128 + signal;
}

// The registry of live temporaries the handlers remove. A slot number, or -1 when
// all slots are taken (the temporary is then only removed by its writer).
int registerTemporary(const char* path) noexcept;
void unregisterTemporary(int slot) noexcept;

}  // namespace fileio
