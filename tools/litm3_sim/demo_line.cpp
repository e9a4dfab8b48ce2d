#include "tools/litm3_sim/demo_line.h"

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
