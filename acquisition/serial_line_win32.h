#pragma once
// The serial line over a Windows communications port (\\.\COMn), through the
// port's own settings record and time-outs: the driver does the waiting, so a
// read of one byte returns when it has arrived or when the read time-out is out.
//
// Settings calls never fail loudly, as the protocol expects: a port that does
// not take them simply gets no answer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "acquisition/serial_line.h"

namespace acquisition {

class Win32SerialLine : public SerialLine {
  public:
    Win32SerialLine();
    ~Win32SerialLine() override;
    Win32SerialLine(const Win32SerialLine&) = delete;
    Win32SerialLine& operator=(const Win32SerialLine&) = delete;

    bool open(const std::string& device) override;
    bool isOpen() const override { return handle_ != nullptr; }
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
    // The port's own settings record and time-outs, as captured after opening.
    struct Saved;

    std::size_t bytesWaiting();
    std::size_t readNow(std::span<std::uint8_t> into);

    void* handle_ = nullptr;  // the open port, or none
    bool busy_ = false;
    std::unique_ptr<Saved> saved_;
};

}  // namespace acquisition
