#include "simulation/litm3_device/demo_line.h"

#include <algorithm>

namespace litm3sim {

bool DemoLine::open(const std::string& device) {
    if (device != kDemoDevicePath || open_) return false;
    open_ = true;
    left_ = 0;
    return true;
}

bool DemoLine::writeByte(std::uint8_t byte) {
    if (!open_) return false;
    switch (engine_->reply(byte)) {
        case Engine::Reply::ProbeAnswer:
            pending_ = &engine_->probeAnswer();
            left_ = 1;
            break;
        case Engine::Reply::Image:
            pending_ = engine_->stream().data();
            left_ = engine_->stream().size();
            break;
        case Engine::Reply::Nothing:
            break;
    }
    return true;
}

bool DemoLine::readByte(std::uint8_t& byte) {
    if (!open_ || left_ == 0) return false;
    byte = *pending_++;
    --left_;
    return true;
}

std::size_t DemoLine::readAvailable(std::span<std::uint8_t> into) {
    if (!open_) return 0;
    const std::size_t n = std::min(into.size(), left_);
    std::copy_n(pending_, n, into.data());
    pending_ += n;
    left_ -= n;
    return n;
}

void DemoLine::close() {
    open_ = false;
    left_ = 0;
}

acquisition::AcquisitionLine demoAcquisitionLine(std::uint64_t seed) {
    DeviceOptions options;
    options.fast = true;
    auto engine = std::make_shared<const Engine>(generatedImage(seed), options);
    return {[engine] { return std::make_unique<DemoLine>(engine); },
            [] {
                return std::make_unique<acquisition::DeviceListComPortMap>(
                    std::vector<std::string>{kDemoDevicePath});
            }};
}

}  // namespace litm3sim
