#pragma once
// The accumulated counters, each taken from the bank that holds the larger
// value, their display texts, and the load-band diagrams.

#include "recorder/datafile.h"
#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace recorder {

void decodeCounters(const DataFile& file, Reading& reading, const NumberFormat& format);

// Bar values 0..100 of both diagrams, scaled to the largest load-cycle count.
void drawLoadDiagrams(Reading& reading);

}  // namespace recorder
