#pragma once
// Shared helpers of the recorder tests: an image built byte by byte, loaded
// through the core as the window would load it.

#include <cstdint>
#include <vector>

#include "recorder/loader.h"
#include "simulation/sample_reading/image_builder.h"

namespace testing_support {

// A consistent image: both banks with correct check bytes, all pointer copies
// agreeing (`bufferFrames` buffer frames, no records), a right image sum.
inline sample::ImageBuilder consistentImage(int bufferFrames = 33) {
    sample::ImageBuilder b;
    b.setPointers(sample::agreeingPointers(bufferFrames, 0, 0, 0, 0));
    b.fixAllBankChecks();
    b.fixImageSum();
    return b;
}

// Fixes the checks and the sum, then loads the file with the given separator.
inline recorder::Reading load(const sample::ImageBuilder& b, char separator = ',',
                              const recorder::ServiceTexts& texts = {}) {
    recorder::Reading r;
    recorder::loadReading(recorder::DataFile(b.fileBytes(texts)), r, {separator});
    return r;
}

inline recorder::Reading loadFixed(sample::ImageBuilder b, char separator = ',') {
    b.fixAllBankChecks();
    b.fixImageSum();
    return load(b, separator);
}

}  // namespace testing_support
