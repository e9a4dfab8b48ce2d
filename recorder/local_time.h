#pragma once
// The current local date and time, for the reading date, proposed file names
// and report dates. Its own library so the report engine can use it without
// the recorder.

#include <ctime>

namespace recorder {

std::tm localNow();

}  // namespace recorder
