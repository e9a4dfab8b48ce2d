#include "recorder/reading.h"

#include <algorithm>

namespace recorder {
namespace {

// A table made with the window holds zeros and empty texts; ClearAll then
// gives its slots their cleared texts ("00.00.00", "00000000" ...).
FrameRecord createdFrame() {
    FrameRecord f;
    for (std::string* text : {&f.Date, &f.Time, &f.KosBits, &f.RelayBits, &f.LimitBits,
                              &f.InputBits1, &f.InputBits2, &f.InputBits3})
        text->clear();
    return f;
}

OverloadRecord createdOverload() {
    OverloadRecord r;
    r.Date.clear();
    return r;
}

}  // namespace

Reading::Reading()
    : FrameTable(kFrameTableSize, createdFrame()),
      OverloadTable(kOverloadTableSize, createdOverload()) {
    // Every display starts empty: the window's design-time look until the first load.
    for (const Display& display : displayTable()) {
        if (display.kind == DisplayKind::Gauge)
            gauges.set(display, 0);
        else
            texts.set(display, "");
    }
}

namespace {

// Copy-assignment from one cleared record reuses each slot's string storage.
void clearSlots(std::vector<FrameRecord>& frames, std::size_t from) {
    static const FrameRecord kCleared{};
    for (std::size_t i = from; i < frames.size(); ++i) frames[i] = kCleared;
}
void clearSlots(std::vector<OverloadRecord>& records, std::size_t from) {
    static const OverloadRecord kCleared{};
    for (std::size_t i = from; i < records.size(); ++i) records[i] = kCleared;
}

}  // namespace

void Reading::ClearAll() {
    AddressReport.clear();
    clearSlots(FrameTable, 0);
    clearSlots(OverloadTable, 0);
}

void Reading::clearUnloadedSlots() {
    clearSlots(FrameTable, static_cast<std::size_t>(std::max(FrameCount, 0)));
    clearSlots(OverloadTable, static_cast<std::size_t>(std::max(OverloadCount, 0)));
}

std::string Reading::addressReportText() const {
    std::string text;
    for (std::size_t i = 0; i < AddressReport.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += AddressReport[i];
    }
    return text;
}

}  // namespace recorder
