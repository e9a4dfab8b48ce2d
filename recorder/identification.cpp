#include "recorder/identification.h"

#include <string>

namespace recorder {

ServiceTexts readServiceTexts(const DataFile& file) {
    ServiceTexts s;
    s.owner = file.textSlot(trailer::kOwner);
    s.serviceOrganisation = file.textSlot(trailer::kServiceOrganisation);
    s.operatorName = file.textSlot(trailer::kOperatorName);
    s.certificateNumber = file.textSlot(trailer::kCertificateNumber);
    s.certificateValidUntil = file.textSlot(trailer::kCertificateValidUntil);
    s.readingDate = file.textSlot(trailer::kReadingDate);
    return s;
}

std::string limiterModelText(int modelDigit) {
    return "ТИРС-48С-0" + std::to_string(modelDigit);
}

std::string modeGroupText(int modeGroup) {
    return "A" + std::to_string(modeGroup);
}

LimiterInfo readLimiterInfo(const DataFile& file) {
    const std::size_t b = kBank0Offset;
    LimiterInfo l;
    l.SerialNumber = file.textSlot(b + bank::kSerialNumber, bank::kSerialNumberWidth);
    l.ModelDigit = file.i8(b + bank::kModelDigit);
    l.ProgramVersion = file.i8(b + bank::kProgramVersion);
    l.TablesVersion = file.i8(b + bank::kTablesVersion);
    l.Configuration = file.i8(b + bank::kConfiguration);
    l.RecorderVersion = file.i8(b + bank::kRecorderVersion);
    l.LimiterMaker = file.textSlot(b + bank::kLimiterMaker, bank::kLimiterMakerWidth);
    l.AdaptedCranes = file.textSlot(b + bank::kAdaptedCranes, bank::kAdaptedCranesWidth);
    return l;
}

CraneInfo readCraneInfo(const DataFile& file) {
    const std::size_t b = kBank0Offset;
    CraneInfo c;
    c.CraneNumber = file.i16(b + bank::kCraneNumber);
    c.ManufactureYear = file.i16(b + bank::kManufactureYear);
    c.ModeGroup = file.i8(b + bank::kModeGroup);
    c.CraneModel = file.textSlot(b + bank::kCraneModel, bank::kCraneModelWidth);
    for (std::size_t i = 0; i < 3; ++i) c.InstallDate[i] = file.u8(b + bank::kInstallDate + i);
    c.CraneMaker = file.textSlot(b + bank::kCraneMaker, bank::kCraneMakerWidth);
    c.ProgrammingOrganisation =
        file.textSlot(b + bank::kProgrammingOrganisation, bank::kProgrammingOrganisationWidth);
    return c;
}

}  // namespace recorder
