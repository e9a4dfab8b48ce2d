#include "simulation/sample_reading/sample_reading.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "recorder/records.h"
#include "simulation/sample_reading/crane_work.h"
#include "simulation/sample_reading/prng.h"

namespace sample {

using namespace recorder;

namespace {

constexpr int kPages = static_cast<int>(kPageFrames / kBufferFramesMax);  // 220
constexpr int kFramesPerPage = static_cast<int>(kBufferFramesMax);        // 33

void validate(const SampleOptions& o) {
    if (o.bufferFrames < 0 || o.bufferFrames > kFramesPerPage)
        throw std::invalid_argument("buffer frames must be 0..33");
    if (o.overloads < 0 || o.overloads > static_cast<int>(kOverloadTableSize))
        throw std::invalid_argument("overload records must be 0..2600");
    if (o.kdsRecords < 0 || o.kdsRecords > static_cast<int>(kKdsRoom))
        throw std::invalid_argument("critical-value records must be 0..150");
    if (o.settingsRecords < 0 || o.settingsRecords > kSettingsRoom)
        throw std::invalid_argument("settings records beyond the region's room");
}

void writeIdentity(ImageBuilder& b, int bank, const CraneIdentity& id) {
    using namespace recorder::bank;
    b.setBankText(bank, kSerialNumber, kSerialNumberWidth, id.serialNumber);
    b.setBankI8(bank, kModelDigit, static_cast<std::int8_t>(id.modelDigit));
    b.setBankI8(bank, kProgramVersion, static_cast<std::int8_t>(id.programVersion));
    b.setBankI8(bank, kTablesVersion, static_cast<std::int8_t>(id.tablesVersion));
    b.setBankI8(bank, kConfiguration, static_cast<std::int8_t>(id.configuration));
    b.setBankI8(bank, kRecorderVersion, static_cast<std::int8_t>(id.recorderVersion));
    b.setBankText(bank, kLimiterMaker, kLimiterMakerWidth, id.limiterMaker);
    b.setBankText(bank, kAdaptedCranes, kAdaptedCranesWidth, id.adaptedCranes);
    b.setBankI16(bank, kCraneNumber, static_cast<std::int16_t>(id.craneNumber));
    b.setBankI16(bank, kManufactureYear, static_cast<std::int16_t>(id.manufactureYear));
    b.setBankI8(bank, kModeGroup, static_cast<std::int8_t>(id.modeGroup));
    b.setBankText(bank, kCraneModel, kCraneModelWidth, id.craneModel);
    b.setBankU8(bank, kInstallDate, toBcd(id.installDate.day));
    b.setBankU8(bank, kInstallDate + 1, toBcd(id.installDate.month));
    b.setBankU8(bank, kInstallDate + 2, toBcd(id.installDate.year % 100));
    b.setBankText(bank, kCraneMaker, kCraneMakerWidth, id.craneMaker);
    b.setBankText(bank, kProgrammingOrganisation, kProgrammingOrganisationWidth,
                  id.programmingOrganisation);
}

void writeCounters(ImageBuilder& b, int bank, const recorder::Counters& c) {
    using namespace recorder::bank;
    b.setBankF32(bank, kCharacteristicNumber, c.CharacteristicNumber);
    for (std::size_t i = 0; i < 15; ++i) {
        b.setBankU24(bank, kLoadCycles + 3 * i, c.LoadCycles[i]);
        b.setBankU24(bank, kWorkCycles + 3 * i, c.WorkCycles[i]);
    }
    b.setBankI32(bank, kTotalCycles, c.TotalCycles);
    b.setBankI32(bank, kWinchSeconds, c.WinchSeconds);
    b.setBankI32(bank, kBoomAngleSeconds, c.BoomAngleSeconds);
    b.setBankI32(bank, kBoomLengthSeconds, c.BoomLengthSeconds);
    b.setBankI32(bank, kSlewSeconds, c.SlewSeconds);
    b.setBankU24(bank, kMotorMinutes, c.MotorMinutes);
    b.setBankI32(bank, kLiftedMass, c.LiftedMass);
}

// Frames in writing order into memory: page memory is a ring whose oldest page is
// the one the page pointer names; the newest frames wait in the page buffer, and
// the buffer slots past the frame pointer still hold the page flushed last.
void writeFrames(ImageBuilder& b, const std::vector<FrameFields>& frames, int pagePointer) {
    const int first = pagePointer % kPages;
    for (std::size_t i = 0; i < kPageFrames; ++i) {
        const auto page =
            static_cast<std::size_t>((static_cast<int>(i) / kFramesPerPage + first) % kPages);
        b.setFrame(page * kBufferFramesMax + i % kBufferFramesMax, frames[i]);
    }
    const std::size_t buffered = frames.size() - kPageFrames;
    for (std::size_t j = 0; j < buffered; ++j) b.setFrame(kPageFrames + j, frames[kPageFrames + j]);
    const auto lastPage = static_cast<std::size_t>((first + kPages - 1) % kPages);
    for (std::size_t j = buffered; j < kBufferFramesMax; ++j) {
        const std::size_t from = ImageBuilder::frameOffset(lastPage * kBufferFramesMax + j);
        std::vector<std::uint8_t> stale(
            b.image().begin() + static_cast<std::ptrdiff_t>(from),
            b.image().begin() + static_cast<std::ptrdiff_t>(from + kFrameSize));
        b.putBytes(ImageBuilder::frameOffset(kPageFrames + j), stale);
    }
}

OverloadFields overloadRecord(double radius, double capacity, int percent, const CivilDate& date,
                              int mode) {
    OverloadFields o;
    o.radius = static_cast<std::int16_t>(std::lround(radius * 100));
    o.capacity = static_cast<std::int16_t>(std::lround(capacity * 100));
    o.loadPercent = static_cast<std::uint8_t>(std::clamp(percent, 0, 255));
    o.on(date.day, date.month, date.year).mode = static_cast<std::uint8_t>(mode);
    return o;
}

// Overload records of the crane's life: earlier ones between the recorder's
// installation and the first frame, then the overloads seen in the frames.
void writeOverloads(ImageBuilder& b, int count, const CraneWork& work, const CivilDate& installed,
                    Prng& rng) {
    const std::size_t fromFrames = std::min(static_cast<std::size_t>(count), work.overloads.size());
    const int earlier = count - static_cast<int>(fromFrames);
    const int from = dayNumber(installed) + 30;
    const int to = std::max(from, dayNumber(work.firstDay) - 1);
    std::vector<int> days;
    for (int i = 0; i < earlier; ++i) days.push_back(workingDayFrom(rng.uniform(from, to)));
    std::sort(days.begin(), days.end());
    std::size_t index = 0;
    for (int day : days) {
        const double length = 9.7 + 4.0 * rng.uniform(0, 3);
        const int reeving = rng.chance(0.2) ? 2 : 4;
        const double radius = rng.real(3, std::min(18.0, length));
        const int percent = rng.chance(0.85) ? rng.uniform(125, 160) : rng.uniform(110, 124);
        b.setOverload(index++, overloadRecord(radius, ratedCapacity(radius, length, reeving),
                                              percent, dateOf(day), reeving == 4 ? 1 : 2));
    }
    for (std::size_t k = work.overloads.size() - fromFrames; k < work.overloads.size(); ++k) {
        const OverloadEvent& e = work.overloads[k];
        b.setOverload(index++, overloadRecord(e.radius, e.capacity, e.percent, e.date, e.mode));
    }
}

// The core does not decode critical-value and settings records; these carry a
// plausible layout of their own (dated, numbered, a value) and a correct check byte.
void writeKdsAndSettings(ImageBuilder& b, const SampleOptions& o, const CraneWork& work,
                         Prng& rng) {
    const int firstDay = dayNumber(work.firstDay);
    const int lastDay = dayNumber(work.lastDay);
    for (int i = 0; i < o.kdsRecords; ++i) {
        const CivilDate d = dateOf(firstDay + (lastDay - firstDay) * i / std::max(1, o.kdsRecords));
        const auto value = static_cast<std::uint16_t>(rng.uniform(100, 3000));
        b.setKdsRecord(static_cast<std::size_t>(i),
                       closedRecord({toBcd(d.day), toBcd(d.month), toBcd(d.year % 100),
                                     toBcd(rng.uniform(8, 16)), toBcd(rng.uniform(0, 59)),
                                     static_cast<std::uint8_t>(rng.uniform(1, 6)),
                                     static_cast<std::uint8_t>(value & 0xFF),
                                     static_cast<std::uint8_t>(value >> 8), 0}));
    }
    const int installed = dayNumber(o.identity.installDate);
    for (int i = 0; i < o.settingsRecords; ++i) {
        const CivilDate d = dateOf(installed + 200 * i);
        const auto value = static_cast<std::uint32_t>(rng.uniform(1, 250000));
        b.setSettingsRecord(
            static_cast<std::size_t>(i),
            closedRecord({toBcd(d.day), toBcd(d.month), toBcd(d.year % 100),
                          static_cast<std::uint8_t>(i + 1), static_cast<std::uint8_t>(value),
                          static_cast<std::uint8_t>(value >> 8),
                          static_cast<std::uint8_t>(value >> 16),
                          static_cast<std::uint8_t>(value >> 24), 0}));
    }
}

std::string readingDateAfter(const CraneWork& work, Prng& rng) {
    const int minute = std::min(work.lastMinuteOfDay + rng.uniform(20, 90), 23 * 60 + 59);
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d", work.lastDay.day,
                  work.lastDay.month, work.lastDay.year, minute / 60, minute % 60);
    return text;
}

void applyPointerCopies(PointerBlock& p, const PointerCopies& fault) {
    for (std::size_t c = 0; c < 3; ++c) {
        const std::uint32_t v = fault.copies[c];
        switch (fault.pointer) {
            case Pointer::Frame:
                p.frame[c] = static_cast<std::uint8_t>(v);
                break;
            case Pointer::Page:
                p.page[c] = static_cast<std::uint16_t>(v);
                break;
            case Pointer::Overload:
                p.overload[c] = static_cast<std::uint16_t>(v);
                break;
            case Pointer::Kds:
                p.kds[c] = static_cast<std::uint16_t>(v);
                break;
            case Pointer::Settings:
                p.settings[c] = static_cast<std::uint16_t>(v);
                break;
        }
    }
}

// A record's check byte made wrong: one more than the right one.
void spoilCheckByte(ImageBuilder& b, std::size_t offset, std::size_t size) {
    const std::size_t at = offset + size - 1;
    b.putU8(at, static_cast<std::uint8_t>(b.image()[at] + 1));
}

}  // namespace

SampleImage buildSampleImage(const SampleOptions& o) {
    validate(o);
    Prng rng(o.seed);
    CraneWorkPlan plan;
    plan.frameCount = static_cast<int>(kPageFrames) + (o.bufferFrames == 0 ? 33 : o.bufferFrames);
    plan.firstDay = o.firstWorkDay;
    plan.bank1Lag = o.bank1Lag >= 0 ? o.bank1Lag : rng.uniform(0, 2);
    plan.pastCycles = o.pastCycles >= 0 ? o.pastCycles : rng.uniform(40000, 140000);
    CraneWork work = simulateCraneWork(plan, rng);
    if (o.characteristicNumber)
        work.bank0.CharacteristicNumber = work.bank1.CharacteristicNumber = *o.characteristicNumber;

    SampleImage out;
    ImageBuilder& b = out.builder;
    writeFrames(b, work.frames, o.pagePointer);
    for (int bank = 0; bank < 2; ++bank) writeIdentity(b, bank, o.identity);
    writeCounters(b, 0, work.bank0);
    writeCounters(b, 1, work.bank1);
    writeOverloads(b, o.overloads, work, o.identity.installDate, rng);
    writeKdsAndSettings(b, o, work, rng);

    PointerBlock pointers = agreeingPointers(o.bufferFrames, o.pagePointer, o.overloads,
                                             o.kdsRecords, o.settingsRecords);
    for (const PointerCopies& fault : o.faults.pointerCopies) applyPointerCopies(pointers, fault);
    b.setPointers(pointers);
    b.fixAllBankChecks();

    const SampleFaults& faults = o.faults;
    if (faults.eraseBank1) b.eraseBank(1);
    for (const BankBlockRef& ref : faults.badBlocks) b.breakBankCheck(ref.bank, ref.block);
    for (std::size_t slot : faults.badFrames)
        spoilCheckByte(b, ImageBuilder::frameOffset(slot), kFrameSize);
    for (std::size_t i : faults.badOverloads)
        spoilCheckByte(b, ImageBuilder::overloadOffset(i), kRecordSize);
    b.fixImageSum();
    if (faults.wrongImageSum) b.putU32(kImageSumOffset, b.computeImageSum() + 1);

    out.service = o.service;
    if (out.service.readingDate.empty()) out.service.readingDate = readingDateAfter(work, rng);
    return out;
}

std::vector<std::uint8_t> makeSampleReading(const SampleOptions& options) {
    const SampleImage sample = buildSampleImage(options);
    std::vector<std::uint8_t> file = sample.builder.fileBytes(sample.service);
    if (options.faults.truncateTo) file.resize(std::min(file.size(), *options.faults.truncateTo));
    return file;
}

}  // namespace sample
