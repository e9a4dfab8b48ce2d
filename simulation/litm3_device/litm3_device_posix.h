#pragma once
// The simulated reader device on a pseudo-terminal: a serial line opens the
// terminal's path as it would a real port, and the engine answers through the
// other end.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "simulation/litm3_device/litm3_device.h"

namespace litm3sim {

class Device {
  public:
    Device(std::vector<std::uint8_t> image, DeviceOptions options);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Opens the pseudo-terminal; false with a reason when that fails.
    bool open(std::string& error);
    // The path a serial line opens, e.g. "/dev/pts/3".
    const std::string& path() const { return path_; }
    // The device keeps the terminal's own end open too, so the terminal and its
    // settings live as long as the device does; tests read the settings here.
    int terminalFd() const { return slave_; }

    // Answers requests until stop becomes true.
    void serve(const std::atomic<bool>& stop);

    // Transfers started so far.
    std::size_t transfers() const { return transfers_.load(); }

  private:
    void sendImage(const std::atomic<bool>& stop);
    bool writeAll(const std::uint8_t* data, std::size_t n, const std::atomic<bool>& stop);

    Engine engine_;
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::atomic<std::size_t> transfers_{0};
};

// A device serving on its own thread for as long as the object lives.
class DeviceThread {
  public:
    DeviceThread(std::vector<std::uint8_t> image, DeviceOptions options);
    ~DeviceThread();
    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return device_.path(); }
    Device& device() { return device_; }

  private:
    Device device_;
    std::atomic<bool> stop_{false};
    bool ok_ = false;
    std::string error_;
    std::thread thread_;
};

}  // namespace litm3sim
