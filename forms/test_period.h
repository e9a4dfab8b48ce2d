// The period of a test for form 1: the frames the recorder wrote between the
// previous reading and the loaded one.
#pragma once

#include <string>

#include "forms/previous_reading.h"
#include "recorder/reading.h"

namespace forms {

struct TestPeriod {
    // The Number of the lowest slot whose date and time equal the previous
    // reading's last buffer frame; 0 when no slot does.
    int FirstFrame = 0;
    bool found = false;
    int LastFrame = 0;    // Number of slot FrameCount - 1
    std::string TimeIsp;  // "start date time - end date time"
    std::string KadrIsp;  // "first - last"
};

TestPeriod findTestPeriod(const recorder::Reading& last, const PreviousReading& previous);

}  // namespace forms
