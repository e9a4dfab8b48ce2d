#pragma once
// The one table of the main window's displays: every text box, value label and
// gauge, by the name the window, the reports and the forms know it by, what it
// shows and the page it is on. The decoders write the texts through it, the
// window builds its widgets from it, `litm show --help` lists it; a name that is
// not in the table is a programming error and is refused at once.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "recorder/datafile.h"

namespace recorder {

enum class DisplayPage {
    Service,    // "Служебная"
    LoadBands,  // "Наработка"
};

enum class DisplayKind {
    Edit,   // a read-only edit box
    Label,  // a value label
    Gauge,  // a bar 0..100
};

struct Display {
    std::string_view name;
    DisplayKind kind;
    DisplayPage page;
    std::string_view shows;  // what it shows, in a few words
};

// The displays with a name of their own, in the order of the table.
namespace display {
using enum DisplayKind;
using enum DisplayPage;
// The service trailer, as typed when the reading was saved.
inline constexpr Display kOwner{"Edit_Vlad", Edit, Service, "crane owner"};
inline constexpr Display kServiceOrganisation{"Edit_Org", Edit, Service, "service organisation"};
inline constexpr Display kOperatorName{"Edit_Name", Edit, Service, "operator's name"};
inline constexpr Display kCertificateNumber{"Edit_NUd", Edit, Service,
                                            "operator's certificate number"};
inline constexpr Display kCertificateValidUntil{"Edit_DateUd", Edit, Service,
                                                "certificate valid until"};
inline constexpr Display kReadingDate{"Edit_DataSch", Edit, Service, "date of the reading"};
// The limiter and the crane, from Bank 0.
inline constexpr Display kLimiterSerialNumber{"Edit_NTIRS", Edit, Service, "limiter serial number"};
inline constexpr Display kLimiterModel{"Edit_ModTIRS", Edit, Service, "limiter modification"};
inline constexpr Display kProgramVersion{"Edit_VProg", Edit, Service, "program version"};
inline constexpr Display kTablesVersion{"Edit_VTabl", Edit, Service, "tables version"};
inline constexpr Display kConfiguration{"Edit_ConfTIRS", Edit, Service, "limiter configuration"};
inline constexpr Display kRecorderVersion{"Edit_VRP", Edit, Service, "recorder version"};
inline constexpr Display kLimiterMaker{"Edit_IzgotTIRS", Edit, Service, "limiter maker"};
inline constexpr Display kAdaptedCranes{"Edit_TipKranov", Edit, Service,
                                        "cranes the limiter is adapted to"};
inline constexpr Display kCraneNumber{"Edit_NKran", Edit, Service, "crane serial number"};
inline constexpr Display kManufactureYear{"Edit_GodIzgot", Edit, Service,
                                          "crane's year of manufacture"};
inline constexpr Display kModeGroup{"Edit_GrRegNag", Edit, Service, "crane's operating mode group"};
inline constexpr Display kCraneModel{"Edit_MKran", Edit, Service, "crane model"};
inline constexpr Display kInstallDate{"Edit_DataUst", Edit, Service,
                                      "date the limiter was installed"};
inline constexpr Display kCraneMaker{"Edit_IzgotKran", Edit, Service, "crane maker"};
inline constexpr Display kProgrammingOrganisation{"Edit_NalOrg", Edit, Service,
                                                  "organisation that entered the program"};
// The counters, the larger of the two banks.
inline constexpr Display kCharacteristicNumber{"Edit_HarCh", Edit, Service,
                                               "characteristic number (current)"};
inline constexpr Display kWinchTime{"E_LEsec", Edit, Service, "winch running time"};
inline constexpr Display kBoomAngleTime{"E_ALsec", Edit, Service, "boom lifting time"};
inline constexpr Display kBoomLengthTime{"E_Lsec", Edit, Service, "telescoping time"};
inline constexpr Display kSlewTime{"E_GAsec", Edit, Service, "slewing time"};
inline constexpr Display kMotorHours{"L_TimeAll", Label, Service, "engine hours"};
inline constexpr Display kLiftedMass{"Label_QSum", Label, Service, "mass of the loads lifted"};
// The crane's classification.
inline constexpr Display kNormativeCharacteristicNumber{"Label_NHarch", Label, Service,
                                                        "characteristic number (normative)"};
inline constexpr Display kUseClass{"Label_KIspU", Label, Service, "use class U0..U9"};
inline constexpr Display kLoadSpectrumFactor{"Label_KNag", Label, Service,
                                             "load spectrum factor Kp"};
inline constexpr Display kLoadSpectrumClass{"Label_RezhQ", Label, Service,
                                            "load spectrum class Q1..Q5"};
inline constexpr Display kCurrentGroup{"Label_RezhA", Label, Service, "current mode group A1..A8"};
}  // namespace display

// The four displays of one 10 % load band ("Edit_ON_10", "Edit_N_10",
// "CGauge_N10", "CGauge_10" ... band 14 ends in "b140").
struct BandDisplays {
    Display workCycles;
    Display loadCycles;
    Display workGauge;
    Display loadGauge;
};
const std::array<BandDisplays, bank::kBands>& bandDisplays();

// Every display, texts first in the order the window and `litm show` list
// them, then the gauges.
const std::vector<Display>& displayTable();

// The display of that name; throws std::logic_error when the table has none.
const Display& displayNamed(std::string_view name);
bool isDisplay(std::string_view name);

const char* pageTitle(DisplayPage page);

}  // namespace recorder
