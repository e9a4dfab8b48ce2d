#pragma once
// A stand-in for the ЛИТМ-3 reader device, so that the whole acquisition can
// be tried and tested without hardware: its engine, apart from any line. On a
// POSIX system it serves on a pseudo-terminal (litm3_device_posix.h); the demo
// device puts it behind the serial-line interface in-process (demo_line.h).
//
// It answers the probe byte, and on the transfer request sends the recorder
// image at the real line rate (12 bit times a byte at 115200 baud, 9600 bytes a
// second) or as fast as the line takes it. Fault modes make it answer the
// probe wrongly, stay silent, stop early, spoil the image sum or send too much.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace litm3sim {

inline constexpr int kLineBytesPerSecond = 115200 / 12;

struct DeviceOptions {
    bool fast = false;                     // as fast as possible instead of the line rate
    std::uint8_t probeAnswer = 0xA0;       // the byte sent back for a probe
    bool silent = false;                   // never answer anything
    std::optional<std::size_t> stopAfter;  // send only this many image bytes
    bool wrongSum = false;                 // store a whole-image sum that does not match
    std::size_t extraBytes = 0;            // bytes sent after a full image
};

// The image a device sends: the first 270336 bytes of a data file (zeros where
// the file is shorter).
std::vector<std::uint8_t> imageFromDataFile(const std::vector<std::uint8_t>& fileBytes);

// The image of a generated reading (a crane at work over several days, every
// check right), for a device started without a file.
std::vector<std::uint8_t> generatedImage(std::uint64_t seed = 1);

// The device's side of the conversation, apart from any line: what it sends
// back for each request byte. The pseudo-terminal device and the in-process
// demo line (demo_line.h) both answer through it.
class Engine {
  public:
    enum class Reply { Nothing, ProbeAnswer, Image };

    Engine(std::vector<std::uint8_t> image, DeviceOptions options);

    Reply reply(std::uint8_t request) const;
    const std::uint8_t& probeAnswer() const { return options_.probeAnswer; }
    // What a transfer sends: the image, cut short, spoilt or overlong as the options say.
    const std::vector<std::uint8_t>& stream() const { return stream_; }
    const DeviceOptions& options() const { return options_; }

  private:
    std::vector<std::uint8_t> stream_;
    DeviceOptions options_;
};

}  // namespace litm3sim
