#pragma once
// The crane's group classification from its accumulated counters: class of use U
// from the total cycles, load spectrum factor Kp and class Q, and the group A.

#include <cstdint>

#include "recorder/reading.h"

namespace recorder {

int useClassOf(std::int32_t totalCycles);
float loadSpectrumFactorOf(float characteristicNumber, std::int32_t totalCycles);
int loadSpectrumClassOf(float kp);
int groupOf(int useClass, int loadSpectrumClass);
std::int32_t normativeCharacteristicNumberOf(int modeGroup);

// The classification of a crane of this programmed mode group with these counters.
Classification classificationOf(int modeGroup, const Counters& counters);

}  // namespace recorder
