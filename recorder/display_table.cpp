#include "recorder/display_table.h"

#include <stdexcept>
#include <unordered_map>

namespace recorder {
namespace {

std::string bandSuffix(int band) {
    return band < 14 ? std::to_string((band + 1) * 10) : std::string("b140");
}

std::string bandRange(int band) {
    if (band == 0) return "below 10 %";
    if (band == 14) return "above 140 %";
    return std::to_string(band * 10) + "-" + std::to_string(band * 10 + 10) + " %";
}

// The band displays' names and descriptions live here for the program's life.
struct BandStrings {
    std::string workCycles, loadCycles, workGauge, loadGauge;
    std::string workShows, loadShows, workGaugeShows, loadGaugeShows;
};

const std::array<BandStrings, bank::kBands>& bandStrings() {
    static const std::array<BandStrings, bank::kBands> strings = [] {
        std::array<BandStrings, bank::kBands> s;
        for (int band = 0; band < bank::kBands; ++band) {
            auto& b = s[static_cast<std::size_t>(band)];
            const std::string suffix = bandSuffix(band), range = bandRange(band);
            b.workCycles = "Edit_ON_" + suffix;
            b.loadCycles = "Edit_N_" + suffix;
            b.workGauge = "CGauge_N" + suffix;
            b.loadGauge = "CGauge_" + suffix;
            b.workShows = "work cycles, load " + range;
            b.loadShows = "load cycles, load " + range;
            b.workGaugeShows = "work-cycle bar, load " + range;
            b.loadGaugeShows = "load-cycle bar, load " + range;
        }
        return s;
    }();
    return strings;
}

}  // namespace

const std::array<BandDisplays, bank::kBands>& bandDisplays() {
    using enum DisplayKind;
    using enum DisplayPage;
    static const std::array<BandDisplays, bank::kBands> displays = [] {
        std::array<BandDisplays, bank::kBands> d{};
        for (std::size_t band = 0; band < d.size(); ++band) {
            const BandStrings& s = bandStrings()[band];
            d[band] = {{s.workCycles, Edit, LoadBands, s.workShows},
                       {s.loadCycles, Edit, LoadBands, s.loadShows},
                       {s.workGauge, Gauge, LoadBands, s.workGaugeShows},
                       {s.loadGauge, Gauge, LoadBands, s.loadGaugeShows}};
        }
        return d;
    }();
    return displays;
}

const std::vector<Display>& displayTable() {
    static const std::vector<Display> table = [] {
        using namespace display;
        std::vector<Display> t = {
            kOwner,
            kServiceOrganisation,
            kOperatorName,
            kCertificateNumber,
            kCertificateValidUntil,
            kReadingDate,
            kLimiterSerialNumber,
            kLimiterModel,
            kProgramVersion,
            kTablesVersion,
            kConfiguration,
            kRecorderVersion,
            kLimiterMaker,
            kAdaptedCranes,
            kCraneNumber,
            kManufactureYear,
            kModeGroup,
            kCraneModel,
            kInstallDate,
            kCraneMaker,
            kProgrammingOrganisation,
            kCharacteristicNumber,
        };
        for (const auto& band : bandDisplays()) t.push_back(band.loadCycles);
        for (const auto& band : bandDisplays()) t.push_back(band.workCycles);
        for (const Display& d : {kWinchTime, kBoomAngleTime, kBoomLengthTime, kSlewTime,
                                 kMotorHours, kLiftedMass, kNormativeCharacteristicNumber,
                                 kUseClass, kLoadSpectrumFactor, kLoadSpectrumClass, kCurrentGroup})
            t.push_back(d);
        for (const auto& band : bandDisplays()) t.push_back(band.workGauge);
        for (const auto& band : bandDisplays()) t.push_back(band.loadGauge);
        return t;
    }();
    return table;
}

namespace {

const std::unordered_map<std::string_view, const Display*>& displayIndex() {
    static const std::unordered_map<std::string_view, const Display*> index = [] {
        std::unordered_map<std::string_view, const Display*> i;
        for (const Display& d : displayTable()) i.emplace(d.name, &d);
        return i;
    }();
    return index;
}

}  // namespace

bool isDisplay(std::string_view name) {
    return displayIndex().count(name) != 0;
}

const Display& displayNamed(std::string_view name) {
    const auto it = displayIndex().find(name);
    if (it == displayIndex().end())
        throw std::logic_error("no display is named \"" + std::string(name) + "\"");
    return *it->second;
}

const char* pageTitle(DisplayPage page) {
    switch (page) {
        case DisplayPage::Service:
            return "Служебная";
        case DisplayPage::LoadBands:
            return "Наработка";
    }
    return "";
}

}  // namespace recorder
