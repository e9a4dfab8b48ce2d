#include "recorder/identification.h"

#include <string>

#include "recorder/number_format.h"

namespace recorder {

void decodeServiceInfo(const DataFile& file, Reading& reading) {
    ServiceTexts& s = reading.service;
    s.owner = file.textSlot(trailer::kOwner);
    s.serviceOrganisation = file.textSlot(trailer::kServiceOrganisation);
    s.operatorName = file.textSlot(trailer::kOperatorName);
    s.certificateNumber = file.textSlot(trailer::kCertificateNumber);
    s.certificateValidUntil = file.textSlot(trailer::kCertificateValidUntil);
    s.readingDate = file.textSlot(trailer::kReadingDate);

    DisplayTexts& t = reading.texts;
    t.set(display::kOwner, s.owner);
    t.set(display::kServiceOrganisation, s.serviceOrganisation);
    t.set(display::kOperatorName, s.operatorName);
    t.set(display::kCertificateNumber, s.certificateNumber);
    t.set(display::kCertificateValidUntil, s.certificateValidUntil);
    t.set(display::kReadingDate, s.readingDate);
}

std::string limiterModelText(int modelDigit) {
    return "ТИРС-48С-0" + std::to_string(modelDigit);
}

std::string modeGroupText(int modeGroup) {
    return "A" + std::to_string(modeGroup);
}

void decodeIdentification(const DataFile& file, Reading& reading) {
    const std::size_t b = kBank0Offset;
    LimiterInfo& l = reading.limiter;
    l.SerialNumber = file.textSlot(b + bank::kSerialNumber, bank::kSerialNumberWidth);
    l.ModelDigit = file.i8(b + bank::kModelDigit);
    l.ProgramVersion = file.i8(b + bank::kProgramVersion);
    l.TablesVersion = file.i8(b + bank::kTablesVersion);
    l.Configuration = file.i8(b + bank::kConfiguration);
    l.RecorderVersion = file.i8(b + bank::kRecorderVersion);
    l.LimiterMaker = file.textSlot(b + bank::kLimiterMaker, bank::kLimiterMakerWidth);
    l.AdaptedCranes = file.textSlot(b + bank::kAdaptedCranes, bank::kAdaptedCranesWidth);

    CraneInfo& c = reading.crane;
    c.CraneNumber = file.i16(b + bank::kCraneNumber);
    c.ManufactureYear = file.i16(b + bank::kManufactureYear);
    c.ModeGroup = file.i8(b + bank::kModeGroup);
    c.CraneModel = file.textSlot(b + bank::kCraneModel, bank::kCraneModelWidth);
    for (std::size_t i = 0; i < 3; ++i) c.InstallDate[i] = file.u8(b + bank::kInstallDate + i);
    c.CraneMaker = file.textSlot(b + bank::kCraneMaker, bank::kCraneMakerWidth);
    c.ProgrammingOrganisation =
        file.textSlot(b + bank::kProgrammingOrganisation, bank::kProgrammingOrganisationWidth);

    DisplayTexts& t = reading.texts;
    t.set(display::kLimiterSerialNumber, l.SerialNumber);
    t.set(display::kLimiterModel, limiterModelText(l.ModelDigit));
    t.set(display::kProgramVersion, std::to_string(l.ProgramVersion));
    t.set(display::kTablesVersion, std::to_string(l.TablesVersion));
    t.set(display::kConfiguration, std::to_string(l.Configuration));
    t.set(display::kRecorderVersion, std::to_string(l.RecorderVersion));
    t.set(display::kLimiterMaker, l.LimiterMaker);
    t.set(display::kAdaptedCranes, l.AdaptedCranes);

    t.set(display::kCraneNumber, std::to_string(c.CraneNumber));
    t.set(display::kManufactureYear, std::to_string(c.ManufactureYear) + " г.");
    t.set(display::kModeGroup, modeGroupText(c.ModeGroup));
    t.set(display::kCraneModel, c.CraneModel);
    t.set(display::kInstallDate,
          bcdTriple(c.InstallDate[0], c.InstallDate[1], c.InstallDate[2], '.'));
    t.set(display::kCraneMaker, c.CraneMaker);
    t.set(display::kProgrammingOrganisation, c.ProgrammingOrganisation);
}

}  // namespace recorder
