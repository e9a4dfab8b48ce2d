#pragma once
// The in-memory model of one loaded data file.
//
// recorder/ is the Qt-free core: it knows the data file, checks it, decodes it
// and computes every value and every shown text. It must not depend on Qt or on
// any window; the GUI, the reports, the forms and the command-line tool read
// this model.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "recorder/datafile.h"
#include "recorder/display_texts.h"

namespace recorder {

// Block 1 of Bank 0.
struct LimiterInfo {
    std::string SerialNumber;
    int ModelDigit = 0;
    int ProgramVersion = 0;
    int TablesVersion = 0;
    int Configuration = 0;
    int RecorderVersion = 0;
    std::string LimiterMaker;
    std::string AdaptedCranes;
};

// Block 2 of Bank 0.
struct CraneInfo {
    int CraneNumber = 0;
    int ManufactureYear = 0;
    int ModeGroup = 0;
    std::string CraneModel;
    std::array<std::uint8_t, 3> InstallDate{};  // BCD day, month, year
    std::string CraneMaker;
    std::string ProgrammingOrganisation;
};

// Each value is the larger of the two banks' values.
struct Counters {
    float CharacteristicNumber = 0;
    std::array<std::uint32_t, bank::kBands> LoadCycles{};
    std::int32_t TotalCycles = 0;
    std::array<std::uint32_t, bank::kBands> WorkCycles{};
    std::int32_t WinchSeconds = 0;
    std::int32_t BoomAngleSeconds = 0;
    std::int32_t BoomLengthSeconds = 0;
    std::int32_t SlewSeconds = 0;
    std::uint32_t MotorMinutes = 0;
    std::int32_t LiftedMass = 0;  // 0.01 t
};

// The crane's group classification from its accumulated counters.
struct Classification {
    std::int32_t NormativeCharacteristicNumber = 0;
    int UseClass = 0;              // U0..U9
    float LoadSpectrumFactor = 0;  // Kp
    int LoadSpectrumClass = 1;     // Q1..Q5
    int CurrentGroup = 1;          // A1..A8
};

// One decoded 32-byte frame.
struct FrameRecord {
    std::int32_t Number = 0;
    std::string Date = "00.00.00";
    std::string Time = "00:00:00";
    float BoomAngle = 0;
    float BoomLength = 0;
    float Radius = 0;
    float Pressure = 0;
    float LoadMass = 0;
    float Azimuth = 0;
    float Wind = 0;
    std::string KosBits = "00000000";
    std::int32_t Temperature = 0;
    std::string ReevingMode;
    std::int32_t LoadPercent = 0;
    std::string RelayBits = "00000000";
    std::string LimitBits = "00000000";
    std::string InputBits1 = "00000000";
    std::string InputBits2 = "00000000";
    std::string InputBits3 = "00000000";
    std::uint8_t FaultCode = 0;
    std::string Status;  // "Норма", "Брак", or empty for a slot without a frame
};

// One decoded ten-byte overload record.
struct OverloadRecord {
    std::int32_t Number = 0;
    float Radius = 0;
    float Capacity = 0;
    std::int32_t LoadPercent = 0;
    std::string Date = "00.00.00";
    std::int32_t ModeNumber = 0;
    std::string Status;
};

inline constexpr const char* kStatusGood = "Норма";
inline constexpr const char* kStatusBad = "Брак";

// The triple-stored write pointers, copies c1, c2, c3 in stored order.
struct PointerBlock {
    std::array<std::uint8_t, 3> frame{};
    std::array<std::uint16_t, 3> page{};
    std::array<std::uint16_t, 3> overload{};
    std::array<std::uint16_t, 3> kds{};
    std::array<std::uint16_t, 3> settings{};
};

class Reading {
  public:
    Reading();

    // Resets the frame and overload tables and empties the memory address report.
    // Identification, counters, texts and the error log stay as they are.
    void ClearAll();
    // Clears the table slots a load did not fill (from FrameCount and OverloadCount on).
    void clearUnloadedSlots();

    ServiceTexts service;  // the service trailer, as typed when the reading was saved
    LimiterInfo limiter;
    CraneInfo crane;
    Counters counters;
    Classification classification;

    PointerBlock pointers;
    std::uint16_t PageAddress = 0;
    int BufferFrameCount = 0;
    int FrameCount = 0;
    int OverloadCount = 0;
    int KdsCount = 0;
    int SettingsCount = 0;

    // Fixed tables: kFrameTableSize and kOverloadTableSize entries, never resized.
    std::vector<FrameRecord> FrameTable;
    std::vector<OverloadRecord> OverloadTable;

    std::vector<std::string> LoadErrorLog;
    // The memory address report: four entries, each holding CR LF line breaks.
    std::vector<std::string> AddressReport;

    DisplayTexts texts;
    GaugeValues gauges;

    // The report as one text, entries joined by CR LF (what the service window shows).
    std::string addressReportText() const;
};

}  // namespace recorder
