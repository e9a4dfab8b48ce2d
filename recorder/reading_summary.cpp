#include "recorder/reading_summary.h"

#include "recorder/classification.h"
#include "recorder/counters.h"
#include "recorder/identification.h"
#include "recorder/loader.h"

namespace recorder {

ReadingSummary summarize(const DataFile& file) {
    // One model per thread, reused: building its frame tables anew costs more than
    // the decoding itself, and every part taken here is overwritten.
    thread_local Reading decoded;
    const NumberFormat format{};
    checkDataFile(file, decoded);
    decodeServiceInfo(file, decoded);
    decodeIdentification(file, decoded);
    decodeCounters(file, decoded, format);
    classify(decoded, format);

    ReadingSummary s;
    s.service = decoded.service;
    s.limiter = decoded.limiter;
    s.crane = decoded.crane;
    s.counters = decoded.counters;
    s.classification = decoded.classification;
    s.limiterModel = limiterModelText(decoded.limiter.ModelDigit);
    s.loadErrors = decoded.LoadErrorLog;
    return s;
}

}  // namespace recorder
