// Fuzz target: the reader-device conversation on the receiving side. Input: the
// answer to the probe (1 byte), the length of what the device sends after the
// transfer request (3 bytes, little-endian), how much has arrived at each read
// (1 byte: 61 bytes per unit, 0 for everything), then the first bytes it sends;
// the rest of the stream is zeros, and then the line falls silent. So a short
// input can stand for a whole image, a short transfer or an overrun.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "acquisition/litm3_protocol.h"
#include "recorder/datafile.h"

namespace {

class FuzzedLine : public acquisition::InProcessLine {
  public:
    FuzzedLine(const std::uint8_t* data, std::size_t size) {
        if (size == 0) return;
        probeAnswer_ = data[0];
        hasProbeAnswer_ = true;
        const std::uint8_t* rest = data + 1;
        std::size_t restSize = size - 1;
        if (restSize >= 4) {
            streamLength_ =
                std::min<std::size_t>(rest[0] | rest[1] << 8 | rest[2] << 16,
                                      recorder::kImageSize + acquisition::kOverrunDrainLimit + 64);
            if (rest[3] != 0) piece_ = rest[3] * std::size_t{61};
            rest += 4;
            restSize -= 4;
        } else {
            streamLength_ = restSize;
        }
        stream_ = rest;
        streamSize_ = restSize;
    }

    bool open(const std::string& device) override { return open_ = device == "/dev/fuzz"; }
    bool isOpen() const override { return open_; }
    bool writeByte(std::uint8_t) override { return true; }
    bool readByte(std::uint8_t& byte) override {
        if (hasProbeAnswer_) {
            hasProbeAnswer_ = false;
            byte = probeAnswer_;
            return true;
        }
        if (at_ >= streamLength_) return false;
        byte = at_ < streamSize_ ? stream_[at_] : 0;
        ++at_;
        return true;
    }
    std::size_t readAvailable(std::span<std::uint8_t> into) override {
        if (into.empty()) return 0;
        if (hasProbeAnswer_) return readByte(into[0]) ? 1 : 0;
        const std::size_t n =
            std::min({into.size(), piece_, streamLength_ - std::min(at_, streamLength_)});
        const std::size_t given = at_ < streamSize_ ? std::min(n, streamSize_ - at_) : 0;
        if (given > 0) std::memcpy(into.data(), stream_ + at_, given);
        std::memset(into.data() + given, 0, n - given);
        at_ += n;
        return n;
    }
    void close() override { open_ = false; }

  private:
    std::uint8_t probeAnswer_ = 0;
    bool hasProbeAnswer_ = false;
    const std::uint8_t* stream_ = nullptr;
    std::size_t streamSize_ = 0;
    std::size_t streamLength_ = 0;
    std::size_t at_ = 0;
    std::size_t piece_ = SIZE_MAX;  // the most one read takes: what has arrived
    bool open_ = false;
};

class QuietSink : public acquisition::StatusSink {
  public:
    void setStatusText(const std::string&) override {}
    void setStatusColour(acquisition::StatusColour) override {}
    void repaintStatus() override {}
    void setGauge(int percent) override {
        if (percent < 0 || percent > 100) __builtin_trap();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedLine line(data, size);
    QuietSink sink;
    const std::vector<acquisition::PortCandidate> ports = {{"COM0", ""}, {"COM1", "/dev/fuzz"}};
    static std::vector<std::uint8_t> image(recorder::kImageSize);
    int unsaved = 0;
    const auto result = acquisition::readDevice(line, ports, sink, image, unsaved, [](int) {});
    if (result.received > recorder::kImageSize + acquisition::kOverrunDrainLimit + 1)
        __builtin_trap();
    return 0;
}
