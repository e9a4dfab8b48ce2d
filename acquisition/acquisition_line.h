#pragma once
// Where the acquisition reads from: the serial line it talks through and the
// devices behind the port names COM0 .. COM14. The program chooses it once at
// start: the machine's serial ports, or a demo device.

#include <functional>
#include <memory>

#include "acquisition/com_ports.h"
#include "acquisition/serial_line.h"

namespace acquisition {

struct AcquisitionLine {
    std::function<std::unique_ptr<SerialLine>()> makeLine;
    std::function<std::unique_ptr<ComPortMap>()> makePorts;
};

// The machine's serial ports: on Windows COM0 .. COM14 themselves through the
// Win32 serial line, elsewhere the numbered serial devices through termios.
AcquisitionLine realAcquisitionLine();

// How the names COM0 .. COM14 reach the machine's ports, for help texts.
const char* comPortNamesExplained();

}  // namespace acquisition
