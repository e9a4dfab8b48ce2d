#include "recorder/classification.h"

#include <array>
#include <string>

namespace recorder {
namespace {

// Upper bounds (inclusive) of the total cycle count for U0..U8; above is U9.
constexpr std::array<std::int32_t, 9> kUseClassLimits = {16000,  32000,   63000,   125000, 250000,
                                                         500000, 1000000, 2000000, 4000000};

// Upper bounds (inclusive) of Kp for Q1..Q4, as float32; above 1.0 is Q5.
constexpr std::array<float, 4> kSpectrumLimits = {0.125f, 0.25f, 0.5f, 1.0f};

// Group classification table: rows Q1..Q4, columns U0..U9.
constexpr int kGroups[4][10] = {
    {1, 1, 1, 2, 3, 4, 5, 6, 7, 8},
    {1, 1, 2, 3, 4, 5, 6, 7, 8, 8},
    {1, 2, 3, 4, 5, 6, 7, 8, 8, 8},
    {2, 3, 4, 5, 6, 7, 8, 8, 8, 8},
};

}  // namespace

int useClassOf(std::int32_t totalCycles) {
    for (int i = 0; i < static_cast<int>(kUseClassLimits.size()); ++i)
        if (kUseClassLimits[static_cast<std::size_t>(i)] >= totalCycles) return i;
    return 9;
}

float loadSpectrumFactorOf(float characteristicNumber, std::int32_t totalCycles) {
    const long double cycles = totalCycles == 0 ? 1.0L : static_cast<long double>(totalCycles);
    return static_cast<float>(static_cast<long double>(characteristicNumber) / cycles);
}

int loadSpectrumClassOf(float kp) {
    // A NaN compares greater than nothing, so it stays Q1.
    int q = 1;
    while (q < 5 && kp > kSpectrumLimits[static_cast<std::size_t>(q - 1)]) ++q;
    return q;
}

int groupOf(int useClass, int loadSpectrumClass) {
    const int row = (loadSpectrumClass >= 5 ? 4 : loadSpectrumClass) - 1;
    return kGroups[row][useClass];
}

std::int32_t normativeCharacteristicNumberOf(int modeGroup) {
    static constexpr std::array<std::int32_t, 9> kNumbers = {8000,   8000,   16000,  32000,  63000,
                                                             125000, 250000, 500000, 1000000};
    // Matched by the group's text, so only "A0" to "A8" count.
    if (modeGroup < 0 || modeGroup > 8) return 0;
    return kNumbers[static_cast<std::size_t>(modeGroup)];
}

Classification classificationOf(int modeGroup, const Counters& c) {
    Classification k;
    k.NormativeCharacteristicNumber = normativeCharacteristicNumberOf(modeGroup);
    k.UseClass = useClassOf(c.TotalCycles);
    k.LoadSpectrumFactor = loadSpectrumFactorOf(c.CharacteristicNumber, c.TotalCycles);
    k.LoadSpectrumClass = loadSpectrumClassOf(k.LoadSpectrumFactor);
    k.CurrentGroup = groupOf(k.UseClass, k.LoadSpectrumClass);
    return k;
}

}  // namespace recorder
