#pragma once
// Minimal JSON text building for the command-line tool's output (UTF-8).

#include <string>
#include <string_view>

namespace cli {

// A JSON string literal, quotes included; control characters escaped.
std::string jsonString(std::string_view text);

}  // namespace cli
