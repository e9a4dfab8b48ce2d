#include "simulation/litm3_device/litm3_device.h"

#include <algorithm>

#include "recorder/datafile.h"
#include "simulation/sample_reading/sample_reading.h"

namespace litm3sim {

namespace {

constexpr std::uint8_t kExtraByte = 0x55;

void storeSum(std::vector<std::uint8_t>& image, std::uint32_t sum) {
    for (int i = 0; i < 4; ++i) {
        image[recorder::kImageSumOffset + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(sum >> (8 * i));
    }
}

}  // namespace

std::vector<std::uint8_t> imageFromDataFile(const std::vector<std::uint8_t>& fileBytes) {
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    std::copy_n(fileBytes.begin(), std::min(fileBytes.size(), image.size()), image.begin());
    return image;
}

std::vector<std::uint8_t> generatedImage(std::uint64_t seed) {
    sample::SampleOptions options;
    options.seed = seed;
    return imageFromDataFile(sample::makeSampleReading(options));
}

Engine::Engine(std::vector<std::uint8_t> image, DeviceOptions options)
    : stream_(imageFromDataFile(image)), options_(options) {
    if (options_.wrongSum) {
        const std::uint32_t sum = recorder::imageSum(stream_);
        storeSum(stream_, sum + 1);
    }
    if (options_.stopAfter) stream_.resize(std::min(*options_.stopAfter, stream_.size()));
    stream_.insert(stream_.end(), options_.extraBytes, kExtraByte);
}

Engine::Reply Engine::reply(std::uint8_t request) const {
    constexpr std::uint8_t kProbeRequest = 0x08;
    constexpr std::uint8_t kTransferRequest = 0x02;
    if (options_.silent) return Reply::Nothing;
    if (request == kProbeRequest) return Reply::ProbeAnswer;
    if (request == kTransferRequest) return Reply::Image;
    return Reply::Nothing;
}

}  // namespace litm3sim
