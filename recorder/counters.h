#pragma once
// The accumulated counters, each taken from the bank that holds the larger
// value, their display texts, and the load-band diagrams.

#include <array>
#include <string>

#include "recorder/datafile.h"
#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace recorder {

// Display names of the fifteen load bands, band 0 first.
struct BandDisplayNames {
    std::string workCycles;  // Edit_ON_10 ...
    std::string loadCycles;  // Edit_N_10 ...
    std::string workGauge;   // CGauge_N10 ...
    std::string loadGauge;   // CGauge_10 ...
};
const std::array<BandDisplayNames, bank::kBands>& bandDisplayNames();

void decodeCounters(const DataFile& file, Reading& reading, const NumberFormat& format);

// Bar values 0..100 of both diagrams, scaled to the largest load-cycle count.
void drawLoadDiagrams(Reading& reading);

}  // namespace recorder
