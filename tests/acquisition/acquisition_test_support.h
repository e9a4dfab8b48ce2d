#pragma once
// Shared pieces of the acquisition tests: a status sink that records what it
// was told, recorder images with recognisable contents, and port lists.
// (The terminal settings of the pseudo-terminal tests: acquisition_test_support_posix.h.)

#include <chrono>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "acquisition/com_ports.h"
#include "acquisition/status_sink.h"
#include "base/codepage.h"
#include "recorder/datafile.h"

namespace acqtest {

class RecordingSink : public acquisition::StatusSink {
  public:
    void setStatusText(const std::string& utf8) override {
        text = utf8;
        texts.push_back(utf8);
    }
    void setStatusColour(acquisition::StatusColour c) override {
        colour = c;
        colours.push_back(c);
    }
    void repaintStatus() override {
        painted.push_back(text);
        paintedAt.push_back(Clock::now());
    }
    void setGauge(int percent) override {
        gauge = percent;
        gaugeValues.push_back(percent);
        if (percent == 100 && gaugeFullAt == Clock::time_point{}) gaugeFullAt = Clock::now();
    }

    using Clock = std::chrono::steady_clock;
    // Seconds from the painting of a status text to the gauge's first 100.
    double secondsToFullGauge(const std::string& from) const {
        for (std::size_t i = 0; i < painted.size(); ++i) {
            if (painted[i] == from) {
                return std::chrono::duration<double>(gaugeFullAt - paintedAt[i]).count();
            }
        }
        return -1;
    }

    std::string text;
    acquisition::StatusColour colour = acquisition::StatusColour::ButtonFace;
    int gauge = -1;
    std::vector<std::string> texts;
    std::vector<std::string> painted;
    std::vector<acquisition::StatusColour> colours;
    std::vector<int> gaugeValues;
    std::vector<Clock::time_point> paintedAt;
    Clock::time_point gaugeFullAt{};
};

inline void putU32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        image[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// An image whose every byte depends on its index and on seed, with the crane
// model and factory number in bank 0 and a matching whole-image sum.
inline std::vector<std::uint8_t> patternedImage(unsigned seed,
                                                const std::string& modelUtf8 = "КС-55713",
                                                std::int16_t craneNumber = 1234) {
    std::vector<std::uint8_t> image(recorder::kImageSize);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>((i * 31 + i / 251 + seed) & 0xFF);
    }
    const std::size_t bank = recorder::kBank0Offset;
    const std::string model = recorder::utf8ToCp1251(modelUtf8);
    std::memset(&image[bank + recorder::bank::kCraneModel], 0, recorder::bank::kCraneModelWidth);
    std::memcpy(&image[bank + recorder::bank::kCraneModel], model.data(),
                std::min(model.size(), recorder::bank::kCraneModelWidth));
    const auto n = static_cast<std::uint16_t>(craneNumber);
    image[bank + recorder::bank::kCraneNumber] = static_cast<std::uint8_t>(n & 0xFF);
    image[bank + recorder::bank::kCraneNumber + 1] = static_cast<std::uint8_t>(n >> 8);
    putU32(image, recorder::kImageSumOffset, recorder::imageSum(image));
    return image;
}

// COMn mapped as the test says; every other name leads nowhere.
inline acquisition::DeviceListComPortMap portsWith(const std::map<int, std::string>& devices) {
    std::vector<std::string> list(acquisition::kComPortCount, "/nonexistent/tty-test");
    for (const auto& [n, path] : devices) list[static_cast<std::size_t>(n)] = path;
    return acquisition::DeviceListComPortMap(list);
}

}  // namespace acqtest
