#include "forms/data_lines.h"

#include <string>

#include "recorder/counters.h"
#include "recorder/number_format.h"

namespace forms {

namespace {

using RepoRTF_interface::ReportDataFile;

// The first character of a UTF-8 text (one to four bytes).
std::string firstCharacter(const std::string& text) {
    std::size_t n = 1;
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead >= 0xF0)
        n = 4;
    else if (lead >= 0xE0)
        n = 3;
    else if (lead >= 0xC0)
        n = 2;
    return text.substr(0, n);
}

// Lines 1 to 12 of every form: the identification of the crane and the limiter.
void addIdentification(ReportDataFile& file, const recorder::Reading& reading) {
    const recorder::DisplayTexts& t = reading.texts;
    const std::string& serial = t.get(recorder::display::kLimiterSerialNumber);
    if (serial.empty()) throw FormError(kNoLimiterSerial);
    file.Add("TipKrana", t.get(recorder::display::kCraneModel));
    file.Add("IzgotKrana", t.get(recorder::display::kCraneMaker));
    file.Add("ZavNomerK", t.get(recorder::display::kCraneNumber));
    file.Add("GodIzgotK", t.get(recorder::display::kManufactureYear));
    file.Add("Vladelec", t.get(recorder::display::kOwner));
    file.Add("GruppaClass", t.get(recorder::display::kModeGroup));
    file.Add("ModTIRS", t.get(recorder::display::kLimiterModel));
    file.Add("ZavNomerO", serial);
    file.Add("GodIzgotO", "200" + firstCharacter(serial));
    file.Add("IzgotTIRS", t.get(recorder::display::kLimiterMaker));
    file.Add("DateUstRP", t.get(recorder::display::kInstallDate));
    file.Add("OrgProg", t.get(recorder::display::kProgrammingOrganisation));
}

// The work cycles of the fifteen bands and the four running times.
void addCyclesAndTimes(ReportDataFile& file, const recorder::Reading& reading) {
    static const char* const kKeys[recorder::bank::kBands] = {
        "RCikl0",  "RCikl10", "RCikl20",  "RCikl30",  "RCikl40",  "RCikl50",  "RCikl60", "RCikl70",
        "RCikl80", "RCikl90", "RCikl100", "RCikl110", "RCikl120", "RCikl130", "RCikl140"};
    const auto& names = recorder::bandDisplays();
    for (std::size_t band = 0; band < names.size(); ++band)
        file.Add(kKeys[band], reading.texts.get(names[band].workCycles));
    file.Add("TimeLe", reading.texts.get(recorder::display::kWinchTime));
    file.Add("TimeAL", reading.texts.get(recorder::display::kBoomAngleTime));
    file.Add("TimeL", reading.texts.get(recorder::display::kBoomLengthTime));
    file.Add("TimeGa", reading.texts.get(recorder::display::kSlewTime));
}

void addOperator(ReportDataFile& file, const recorder::Reading& reading) {
    file.Add("NameOper", reading.texts.get(recorder::display::kOperatorName));
    file.Add("OrgOper", reading.texts.get(recorder::display::kServiceOrganisation));
    file.Add("NomUdost", reading.texts.get(recorder::display::kCertificateNumber));
    file.Add("SrokUdost", reading.texts.get(recorder::display::kCertificateValidUntil));
}

// Lines 1 to 38 of forms 2 and 1.
ReportDataFile comparedLines(const recorder::Reading& reading, const PreviousReading& previous,
                             const CounterDifferences& differences,
                             const recorder::NumberFormat& format) {
    ReportDataFile file;
    addIdentification(file, reading);
    file.Add("nMotoH", reading.texts.get(recorder::display::kMotorHours));
    file.Add("SumMas", reading.texts.get(recorder::display::kLiftedMass));
    file.Add("HHome", recorder::formatFixed(previous.counters.CharacteristicNumber, 2, format));
    file.Add("HEnd", reading.texts.get(recorder::display::kCharacteristicNumber));
    file.Add("SumCicl", std::to_string(differences.TotalCycles));
    addCyclesAndTimes(file, reading);
    file.Add("DateTimeSchit", reading.texts.get(recorder::display::kReadingDate));
    file.Add("DateTimeSchitPrev", previous.ReadingDate);
    return file;
}

}  // namespace

ReportDataFile form3DataFile(const recorder::Reading& reading) {
    ReportDataFile file;
    addIdentification(file, reading);
    file.Add("nMotoH", reading.texts.get(recorder::display::kMotorHours));
    file.Add("SumMas", reading.texts.get(recorder::display::kLiftedMass));
    file.Add("HTek", reading.texts.get(recorder::display::kCharacteristicNumber));
    file.Add("HNorm", reading.texts.get(recorder::display::kNormativeCharacteristicNumber));
    file.Add("SumCicl", std::to_string(reading.counters.TotalCycles));
    addCyclesAndTimes(file, reading);
    file.Add("DateTimeSchit", reading.texts.get(recorder::display::kReadingDate));
    addOperator(file, reading);
    return file;
}

ReportDataFile form2DataFile(const recorder::Reading& reading, const PreviousReading& previous,
                             const CounterDifferences& differences,
                             const recorder::NumberFormat& format) {
    ReportDataFile file = comparedLines(reading, previous, differences, format);
    addOperator(file, reading);
    return file;
}

ReportDataFile form1DataFile(const recorder::Reading& reading, const PreviousReading& previous,
                             const CounterDifferences& differences, const TestPeriod& period,
                             const recorder::NumberFormat& format) {
    ReportDataFile file = comparedLines(reading, previous, differences, format);
    file.Add("TimeIsp", period.TimeIsp);
    file.Add("KadrIsp", period.KadrIsp);
    addOperator(file, reading);
    return file;
}

}  // namespace forms
