#pragma once
// The generated readings the load target's inputs start from and the seed
// files are made of: a good one, a damaged one, one with a full page buffer
// and every overload record, and one of zeros.

#include <cstdint>
#include <vector>

#include "recorder/datafile.h"
#include "simulation/sample_reading/sample_reading.h"

namespace fuzzing {

enum class BaseReading { Good, Damaged, Full, Zeros };

inline std::vector<std::uint8_t> baseReading(BaseReading which) {
    sample::SampleOptions options;
    switch (which) {
        case BaseReading::Good:
            break;
        case BaseReading::Damaged:
            options.seed = 2;
            options.faults.badBlocks = {{0, 2}, {1, 5}};
            options.faults.badFrames = {0, 7000};
            options.faults.wrongImageSum = true;
            options.faults.eraseBank1 = true;
            break;
        case BaseReading::Full:
            options.seed = 3;
            options.bufferFrames = 33;
            options.overloads = 2600;
            options.pagePointer = 100;
            break;
        case BaseReading::Zeros:
            return std::vector<std::uint8_t>(recorder::kNormalFileSize, 0);
    }
    return sample::makeSampleReading(options);
}

}  // namespace fuzzing
