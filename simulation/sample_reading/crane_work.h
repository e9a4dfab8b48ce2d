#pragma once
// A truck crane at work over consecutive working days, as its recorder sees it:
// the frames it writes during load cycles, the overloads it notes, and the
// accumulated counters of its banks.

#include <array>
#include <cstdint>
#include <vector>

#include "recorder/reading.h"
#include "simulation/sample_reading/calendar.h"
#include "simulation/sample_reading/image_builder.h"
#include "simulation/sample_reading/prng.h"

namespace sample {

// An overload the crane made while its frames were written.
struct OverloadEvent {
    double radius = 0;    // m
    double capacity = 0;  // t
    int percent = 0;
    CivilDate date;
    int mode = 0;
};

struct CraneWork {
    std::vector<FrameFields> frames;  // in the order they were written
    recorder::Counters bank0;         // counters after the last frame
    recorder::Counters bank1;         // the second copy, equal or a few cycles behind
    std::vector<OverloadEvent> overloads;
    int cycles = 0;  // load cycles completed within the frames
    CivilDate firstDay;
    CivilDate lastDay;
    int lastMinuteOfDay = 0;
};

struct CraneWorkPlan {
    int frameCount = 0;
    CivilDate firstDay;
    int bank1Lag = 0;             // cycles by which Bank 1 trails Bank 0
    std::int32_t pastCycles = 0;  // cycles before the first frame
};

CraneWork simulateCraneWork(const CraneWorkPlan& plan, Prng& rng);

// Rated capacity in tonnes at a radius, boom length and reeving.
double ratedCapacity(double radius, double boomLength, int reeving);

}  // namespace sample
