#pragma once
// The conversation with the ЛИТМ-3 reader device: find it on one of the port
// names by its answer to the probe byte, ask for the recorder image, receive it
// byte by byte until the line falls silent, and check the whole-image sum.
//
// Every outcome is a status text and colour on the sink; nothing is thrown.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "acquisition/com_ports.h"
#include "acquisition/serial_line.h"
#include "acquisition/status_sink.h"

namespace acquisition {

inline constexpr std::uint8_t kProbeRequest = 0x08;
inline constexpr std::uint8_t kProbeAnswer = 0xA0;
inline constexpr std::uint8_t kTransferRequest = 0x02;

// 115200 baud, 8 data bits, even parity, 2 stop bits: 12 bit times a byte.
inline constexpr LineSettings kDeviceLineSettings{115200, 8, Parity::Even, 2};
inline constexpr Timeouts kProbeTimeouts{0, 50, 50, 50, 50};
inline constexpr Timeouts kTransferTimeouts{1000, 1000, 200, 50, 50};

inline constexpr int kProbeSettleMs = 300;     // after configuring a port, before the probe
inline constexpr int kTransferSettleMs = 200;  // after the transfer request

// A device that keeps sending past a full image is read (and its bytes dropped)
// for at most this many more bytes (about 7 s at the line rate), so a runaway
// stream cannot hold the program.
inline constexpr std::size_t kOverrunDrainLimit = 65536;

enum class ReadOutcome {
    NoDevice,       // no port answered the probe
    ShortTransfer,  // the stream ended before a full image
    Overrun,        // the device sent more than a full image
    SumMismatch,    // a full image whose stored sum is wrong (may still be saved)
    Good,           // a full image with a right sum
    Stopped,        // the user stopped it (StatusSink::stopRequested)
};

inline constexpr const char* kStoppedByUser = "Считывание прервано пользователем";

struct ReadResult {
    ReadOutcome outcome = ReadOutcome::NoDevice;
    std::string port;          // name of the answering port
    std::size_t received = 0;  // bytes that arrived after the transfer request
    std::uint32_t computedSum = 0;
    std::uint32_t storedSum = 0;
};

using SleepFunction = std::function<void(int milliseconds)>;
void sleepMilliseconds(int milliseconds);

// Runs one acquisition into image (kImageSize bytes, overwritten from index 0
// only as far as the transfer goes). unsavedReading is set to 0 at the start
// and to 1 after a full image, whatever its sum. The sink's stopRequested is
// asked before each port, after each wait and after each read of the transfer. Every port is
// released and, on every path, given back its own settings and time-outs.
ReadResult readDevice(SerialLine& line, std::span<const PortCandidate> ports, StatusSink& sink,
                      std::span<std::uint8_t> image, int& unsavedReading,
                      const SleepFunction& sleep = sleepMilliseconds);

}  // namespace acquisition
