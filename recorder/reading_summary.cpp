#include "recorder/reading_summary.h"

#include "recorder/classification.h"
#include "recorder/counters.h"
#include "recorder/identification.h"
#include "recorder/integrity.h"

namespace recorder {

ReadingSummary summarize(const DataFile& file) {
    ReadingSummary s;
    runIntegrityChecks(file, s.loadErrors);
    s.service = readServiceTexts(file);
    s.limiter = readLimiterInfo(file);
    s.crane = readCraneInfo(file);
    s.counters = readCounters(file);
    s.classification = classificationOf(s.crane.ModeGroup, s.counters);
    s.limiterModel = limiterModelText(s.limiter.ModelDigit);
    return s;
}

}  // namespace recorder
