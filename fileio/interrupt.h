#pragma once
// Ctrl+C and SIGTERM during a command of the command-line tool: every temporary
// file being written is removed at once (from the signal handler, with unlink
// only), so an interrupted save leaves nothing behind and the earlier file intact.

namespace fileio {

enum class OnInterrupt {
    Exit,  // remove the temporaries and end the process with status 128 + signal
    Note,  // remove the temporaries and only note the signal; the command winds
           // down itself (the device reading gives the port its settings back first).
           // A second signal ends the process at once.
};

// Installs the handlers for SIGINT and SIGTERM for its lifetime; the earlier
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

// The signal received since the handlers were installed, 0 when none.
int interruptSignal() noexcept;

// The exit status for an interrupted command: 130 after SIGINT, 143 after SIGTERM.
inline int interruptExitStatus(int signal) {
    return 128 + signal;
}

// The registry of live temporaries the handlers remove. A slot number, or -1 when
// all slots are taken (the temporary is then only removed by its writer).
int registerTemporary(const char* path) noexcept;
void unregisterTemporary(int slot) noexcept;

}  // namespace fileio
