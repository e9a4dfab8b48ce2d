#pragma once
// The demo reader device: the simulator's engine behind the serial-line
// interface, in the same process and at full speed, so the acquisition can be
// tried without hardware, a pseudo-terminal or any right to the serial ports.
// It stands behind COM0 alone and sends a generated reading.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "acquisition/acquisition_line.h"
#include "simulation/litm3_device/litm3_device.h"

namespace litm3sim {

// The device name the demo port map puts behind COM0.
inline constexpr const char* kDemoDevicePath = "demo:ЛИТМ-3";

class DemoLine : public acquisition::InProcessLine {
  public:
    explicit DemoLine(std::shared_ptr<const Engine> engine) : engine_(std::move(engine)) {}

    bool open(const std::string& device) override;
    bool isOpen() const override { return open_; }
    bool writeByte(std::uint8_t byte) override;
    // The next byte of the device's answer; with nothing left it is silent at once.
    bool readByte(std::uint8_t& byte) override;
    std::size_t readAvailable(std::span<std::uint8_t> into) override;
    void close() override;

  private:
    std::shared_ptr<const Engine> engine_;
    bool open_ = false;
    const std::uint8_t* pending_ = nullptr;  // the answer being read, into the engine
    std::size_t left_ = 0;
};

// The demo device as the acquisition's line: a generated reading behind COM0.
acquisition::AcquisitionLine demoAcquisitionLine(std::uint64_t seed = 1);

}  // namespace litm3sim
