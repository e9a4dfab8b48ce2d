#pragma once
// Ctrl+C and the other ways a command of the command-line tool is stopped: on
// POSIX SIGINT, SIGTERM, a closed terminal (SIGHUP) and Ctrl+\ (SIGQUIT); on
// Windows Ctrl+C, Ctrl+Break and closing the console (or logging off, shutting
// down). Every temporary file being written is removed at once, so an
// interrupted save leaves nothing behind and the earlier file intact.

namespace fileio {

enum class OnInterrupt {
    Exit,  // remove the temporaries and end the process with status 128 + signal
    Note,  // remove the temporaries and only note the signal; the command winds
           // down itself (the device reading gives the port its settings back first).
           // A second signal ends the process at once.
};

// Installs the handlers for its lifetime; the earlier handlers come back when it ends.
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

// Holds the interrupts back in this thread for its lifetime: a temporary is
// created and registered under it, so the handler never meets a temporary it
// does not know, nor removes a file of that name that is not ours.
class InterruptsHeldBack {
  public:
    InterruptsHeldBack();
    ~InterruptsHeldBack();
    InterruptsHeldBack(const InterruptsHeldBack&) = delete;
    InterruptsHeldBack& operator=(const InterruptsHeldBack&) = delete;

  private:
    // The signal mask it restores, where the system has one.
    alignas(8) unsigned char previous_[128];
};

// The signal received since the handlers were installed, 0 when none. Every way
// of stopping a command on Windows counts as SIGINT (2).
int interruptSignal() noexcept;

// The exit status for an interrupted command: 128 + the signal (130 after SIGINT,
// 143 after SIGTERM, 129 after SIGHUP, 131 after SIGQUIT).
inline int interruptExitStatus(int signal) {
    return 128 + signal;
}

// The registry of live temporaries the handlers remove, by their names in UTF-8.
// A slot number, or -1 when all slots are taken (the temporary is then only
// removed by its writer).
int registerTemporary(const char* path) noexcept;
void unregisterTemporary(int slot) noexcept;

}  // namespace fileio
