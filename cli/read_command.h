#pragma once
// `litm read`: reads the ЛИТМ-3 reader device from a terminal and saves the
// reading as a data file.

#include "acquisition/com_ports.h"

namespace cli {

// argv[0] is "read". Probes COM0 .. COM14 through the system port mapping.
int runReadCommand(int argc, char** argv);

// The same with the mapping of the names COM0 .. COM14 given by the caller.
int runReadCommand(int argc, char** argv, const acquisition::ComPortMap& ports);

}  // namespace cli
