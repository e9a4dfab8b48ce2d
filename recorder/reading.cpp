#include "recorder/reading.h"

#include <algorithm>

#include "recorder/counters.h"

namespace recorder {
namespace {

// Every text display of the identification and load pages, in page order. They
// start empty: the window's design-time look until the first load.
const char* const kIdentificationDisplays[] = {
    "Edit_Vlad",     "Edit_Org",      "Edit_Name",      "Edit_NUd",       "Edit_DateUd",
    "Edit_DataSch",  "Edit_NTIRS",    "Edit_ModTIRS",   "Edit_VProg",     "Edit_VTabl",
    "Edit_ConfTIRS", "Edit_VRP",      "Edit_IzgotTIRS", "Edit_TipKranov", "Edit_NKran",
    "Edit_GodIzgot", "Edit_GrRegNag", "Edit_MKran",     "Edit_DataUst",   "Edit_IzgotKran",
    "Edit_NalOrg",   "Edit_HarCh",
};
const char* const kTimeDisplays[] = {"E_LEsec", "E_ALsec",   "E_Lsec",
                                     "E_GAsec", "L_TimeAll", "Label_QSum"};
const char* const kClassificationDisplays[] = {"Label_NHarch", "Label_KIspU", "Label_KNag",
                                               "Label_RezhQ", "Label_RezhA"};

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
    for (const char* name : kIdentificationDisplays) texts.set(name, "");
    for (const auto& band : bandDisplayNames()) texts.set(band.loadCycles, "");
    for (const auto& band : bandDisplayNames()) texts.set(band.workCycles, "");
    for (const char* name : kTimeDisplays) texts.set(name, "");
    for (const char* name : kClassificationDisplays) texts.set(name, "");
    for (const auto& band : bandDisplayNames()) gauges.set(band.workGauge, 0);
    for (const auto& band : bandDisplayNames()) gauges.set(band.loadGauge, 0);
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
