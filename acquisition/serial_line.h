#pragma once
// The serial line as the reader-device conversation sees it: a port opened by
// name, its own settings and time-outs kept and put back, the device's line
// settings applied, and single bytes written and read with a time-out (or what
// has arrived read at once).
//
// The protocol ignores the results of the settings calls (a port that does not
// take them simply gets no answer), so those calls return nothing.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace acquisition {

enum class Parity { None, Even, Odd };

// Line settings applied to a port. Everything not named here is off: no
// handshake of any kind, DTR and RTS held off, no abort on error.
struct LineSettings {
    int baudRate = 0;
    int dataBits = 0;
    Parity parity = Parity::None;
    int stopBits = 0;
};

// Time-outs in milliseconds. For one byte a read waits readTotalPerByte +
// readTotalConstant and a write writeTotalPerByte + writeTotalConstant; the
// interval time-out only matters between bytes of a longer read.
struct Timeouts {
    int readInterval = 0;
    int readTotalPerByte = 0;
    int readTotalConstant = 0;
    int writeTotalPerByte = 0;
    int writeTotalConstant = 0;

    int readWaitForOneByte() const { return readTotalPerByte + readTotalConstant; }
    int writeWaitForOneByte() const { return writeTotalPerByte + writeTotalConstant; }
};

class SerialLine {
  public:
    virtual ~SerialLine() = default;

    // Opens the device exclusively for reading and writing. False when it does
    // not exist, is not a serial device, or is in use.
    virtual bool open(const std::string& device) = 0;
    virtual bool isOpen() const = 0;
    // After an open that failed: true when the port is there but another
    // program holds it.
    virtual bool openFailedBusy() const { return false; }

    // Capture the port's own time-outs and line settings right after opening,
    // and put them back before it is released.
    virtual void saveTimeouts() = 0;
    virtual void saveSettings() = 0;
    virtual void restoreSettings() = 0;
    virtual void restoreTimeouts() = 0;

    virtual void applySettings(const LineSettings& settings) = 0;
    virtual void applyTimeouts(const Timeouts& timeouts) = 0;

    // Aborts pending transmit and receive operations; bytes already received
    // stay in the input buffer.
    virtual void abortPending() = 0;

    // Sends one byte within the write time-out; false when it could not be sent.
    virtual bool writeByte(std::uint8_t byte) = 0;
    // Waits up to the read time-out for one byte; false when none arrived.
    virtual bool readByte(std::uint8_t& byte) = 0;
    // Waits up to the read time-out for the first byte, then takes the bytes
    // that have already arrived behind it, up to into.size(); 0 when none came.
    // A run of these calls ends a stream where a run of readByte calls would:
    // only a read that finds nothing waits out its time-out. A line that cannot
    // see what has arrived reads one byte.
    virtual std::size_t readAvailable(std::span<std::uint8_t> into) {
        return !into.empty() && readByte(into[0]) ? 1 : 0;
    }

    virtual void close() = 0;
};

// A line with nothing to configure: a device in the same process (the demo
// device, the fuzzing harness). Every settings call succeeds and does nothing;
// what stays to be written is opening, the bytes and closing.
class InProcessLine : public SerialLine {
  public:
    void saveTimeouts() override {}
    void saveSettings() override {}
    void restoreSettings() override {}
    void restoreTimeouts() override {}
    void applySettings(const LineSettings&) override {}
    void applyTimeouts(const Timeouts&) override {}
    void abortPending() override {}
};

}  // namespace acquisition
