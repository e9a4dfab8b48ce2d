#pragma once
// The fifteen integrity checks of a data file: the whole-image sum and the seven
// block checks of each bank. Failures become lines of the load-error log; they
// never stop a load.

#include <string>
#include <vector>

#include "recorder/datafile.h"

namespace recorder {

inline constexpr const char* kImageSumMessage = "Ошибка контрольной суммы файла!";

// The message of a failed block check, bank 0 or 1, block 1..7.
const std::string& blockCheckMessage(int bank, int block);

// Appends one line per failed check, in their fixed order.
void runIntegrityChecks(const DataFile& file, std::vector<std::string>& log);

}  // namespace recorder
