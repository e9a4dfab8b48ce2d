#pragma once
// The serial line over a POSIX terminal device (termios), used for real ports
// and for pseudo-terminals alike.
//
// Settings calls never fail loudly, as the protocol expects: a pseudo-terminal
// silently drops the parity bit and refuses the modem-control lines (DTR, RTS),
// and a real port takes them all. The per-byte time-outs are waits in poll();
// bytes that arrive together are read ahead into a buffer, as a serial driver
// would, so a full image does not cost two system calls per byte.

#include <array>
#include <cstddef>
#include <string>

#include <termios.h>

#include "acquisition/serial_line.h"

namespace acquisition {

class TermiosLine : public SerialLine {
  public:
    TermiosLine() = default;
    ~TermiosLine() override;
    TermiosLine(const TermiosLine&) = delete;
    TermiosLine& operator=(const TermiosLine&) = delete;

    bool open(const std::string& device) override;
    bool isOpen() const override { return fd_ >= 0; }
    bool openFailedBusy() const override { return busy_; }
    void saveTimeouts() override;
    void saveSettings() override;
    void restoreSettings() override;
    void restoreTimeouts() override;
    void applySettings(const LineSettings& settings) override;
    void applyTimeouts(const Timeouts& timeouts) override;
    void abortPending() override;
    bool writeByte(std::uint8_t byte) override;
    bool readByte(std::uint8_t& byte) override;
    std::size_t readAvailable(std::span<std::uint8_t> into) override;
    void close() override;

  private:
    bool fillBuffer(int waitMs);

    int fd_ = -1;
    bool busy_ = false;
    termios savedSettings_{};
    bool haveSavedSettings_ = false;
    // The port's own time-outs are the terminal's VMIN and VTIME.
    cc_t savedVmin_ = 0;
    cc_t savedVtime_ = 0;
    bool haveSavedTimeouts_ = false;
    Timeouts timeouts_{};
    std::array<std::uint8_t, 4096> buffer_{};
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
};

}  // namespace acquisition
