// A plain, literal rendering of the report engine's algorithm, step by step: whole
// buffers searched from their start, text cut out and spliced in. It is slow on
// purpose and kept only as the reference the engine is compared with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace rtf_oracle {

struct OracleInput {
    std::string templateBytes;  // the template file as stored
    std::string dataBytes;      // the data file as stored
    std::string date = "01.02.2003";
    std::string time = "04:05";
    std::function<int(std::int64_t)> progress;             // may be empty
    std::function<void(const std::string&)> registerFont;  // may be empty
};

struct OracleResult {
    std::string report;  // the report file as stored
    std::string error;   // the failure message, empty on success
};

OracleResult OracleMerge(const OracleInput& input);

}  // namespace rtf_oracle
