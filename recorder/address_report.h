#pragma once
// The memory address report: the raw stored copies of every write pointer.

#include <string>
#include <vector>

#include "recorder/reading.h"

namespace recorder {

// The four entries in their order, each with CR LF line breaks inside.
std::vector<std::string> addressReportEntries(const PointerBlock& pointers);

}  // namespace recorder
