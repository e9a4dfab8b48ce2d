#include "recorder/counters.h"

#include <cstdint>

namespace recorder {

std::int32_t largerBankI32(const DataFile& f, std::size_t offset) {
    const std::int32_t v0 = f.i32(kBank0Offset + offset);
    const std::int32_t v1 = f.i32(kBank1Offset + offset);
    return v1 > v0 ? v1 : v0;
}

std::uint32_t largerBankU24(const DataFile& f, std::size_t offset) {
    const auto v0 = static_cast<std::int32_t>(f.u24(kBank0Offset + offset));
    const auto v1 = static_cast<std::int32_t>(f.u24(kBank1Offset + offset));
    return static_cast<std::uint32_t>(v1 > v0 ? v1 : v0);
}

float largerBankF32(const DataFile& f, std::size_t offset) {
    const float v0 = f.f32(kBank0Offset + offset);
    const float v1 = f.f32(kBank1Offset + offset);
    return v1 > v0 ? v1 : v0;
}

Counters readCounters(const DataFile& file) {
    Counters c;
    c.CharacteristicNumber = largerBankF32(file, bank::kCharacteristicNumber);
    for (std::size_t band = 0; band < bank::kBands; ++band) {
        c.LoadCycles[band] = largerBankU24(file, bank::kLoadCycles + 3 * band);
        c.WorkCycles[band] = largerBankU24(file, bank::kWorkCycles + 3 * band);
    }
    c.TotalCycles = largerBankI32(file, bank::kTotalCycles);
    c.WinchSeconds = largerBankI32(file, bank::kWinchSeconds);
    c.BoomAngleSeconds = largerBankI32(file, bank::kBoomAngleSeconds);
    c.BoomLengthSeconds = largerBankI32(file, bank::kBoomLengthSeconds);
    c.SlewSeconds = largerBankI32(file, bank::kSlewSeconds);
    c.MotorMinutes = largerBankU24(file, bank::kMotorMinutes);
    c.LiftedMass = largerBankI32(file, bank::kLiftedMass);
    return c;
}

}  // namespace recorder
