#include "recorder/integrity.h"

#include <array>

namespace recorder {

const std::string& blockCheckMessage(int bankIndex, int block) {
    // The limiter messages carry a Latin C after "ТИРС-48", as the recorder's own texts do.
    static const std::array<const char*, 7> kSubjects = {
        "идентификации ТИРС-48C", "идентификации крана", "характеристического числа",
        "циклов нагружения",      "рабочих циклов",      "времени работы механизмов",
        "наработки в моточасах",
    };
    static const std::array<std::array<std::string, 7>, 2> kMessages = [] {
        std::array<std::array<std::string, 7>, 2> m;
        for (int b = 0; b < 2; ++b)
            for (int k = 0; k < 7; ++k)
                m[static_cast<std::size_t>(b)][static_cast<std::size_t>(k)] =
                    std::string("Ошибка контрольной суммы ") +
                    kSubjects[static_cast<std::size_t>(k)] + " в Банке-" + std::to_string(b) + "!";
        return m;
    }();
    return kMessages[static_cast<std::size_t>(bankIndex)][static_cast<std::size_t>(block - 1)];
}

void runIntegrityChecks(const DataFile& file, std::vector<std::string>& log) {
    if (imageSum(file.bytes()) != storedImageSum(file.bytes())) log.emplace_back(kImageSumMessage);
    const std::array<std::size_t, 2> banks = {kBank0Offset, kBank1Offset};
    for (int b = 0; b < 2; ++b) {
        for (int k = 0; k < 7; ++k) {
            const BankBlock& block = kBankBlocks[static_cast<std::size_t>(k)];
            if (!file.blockOk(banks[static_cast<std::size_t>(b)] + block.offset, block.size))
                log.push_back(blockCheckMessage(b, k + 1));
        }
    }
}

}  // namespace recorder
