// Fuzz target: the reader-device conversation on the receiving side. The first
// input byte is the answer to the probe, the rest is what the device sends after
// the transfer request; then the line falls silent.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "acquisition/litm3_protocol.h"
#include "recorder/datafile.h"

namespace {

class FuzzedLine : public acquisition::SerialLine {
  public:
    FuzzedLine(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool open(const std::string& device) override { return open_ = device == "/dev/fuzz"; }
    bool isOpen() const override { return open_; }
    void saveTimeouts() override {}
    void saveSettings() override {}
    void restoreSettings() override {}
    void restoreTimeouts() override {}
    void applySettings(const acquisition::LineSettings&) override {}
    void applyTimeouts(const acquisition::Timeouts&) override {}
    void abortPending() override {}
    bool writeByte(std::uint8_t) override { return true; }
    bool readByte(std::uint8_t& byte) override {
        if (at_ >= size_) return false;
        byte = data_[at_++];
        return true;
    }
    void close() override { open_ = false; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
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
