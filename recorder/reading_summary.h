#pragma once
// A reading at a glance, as the reading archive keeps it beside the file: the
// service trailer, the identification, the counters, the classification and
// the checks that failed. The frames and records are not decoded.

#include <string>
#include <vector>

#include "recorder/datafile.h"
#include "recorder/reading.h"

namespace recorder {

struct ReadingSummary {
    ServiceTexts service;
    LimiterInfo limiter;
    CraneInfo crane;
    Counters counters;
    Classification classification;
    std::string limiterModel;             // "ТИРС-48С-05"
    std::vector<std::string> loadErrors;  // one line per failed check
};

ReadingSummary summarize(const DataFile& file);

}  // namespace recorder
