#pragma once
// The service trailer and the identification of the limiter and the crane
// (always from Bank 0). Their texts are in reading_texts.h.

#include <string>

#include "recorder/datafile.h"
#include "recorder/reading.h"

namespace recorder {

ServiceTexts readServiceTexts(const DataFile& file);
LimiterInfo readLimiterInfo(const DataFile& file);
CraneInfo readCraneInfo(const DataFile& file);

// The limiter's modification from its model digit ("ТИРС-48С-05").
std::string limiterModelText(int modelDigit);

// "A" + the decimal of the programmed group (Latin A), as Edit_GrRegNag shows it.
std::string modeGroupText(int modeGroup);

}  // namespace recorder
