#include "acquisition/acquisition_line.h"

#include "acquisition/com_ports_posix.h"
#include "acquisition/termios_line_posix.h"

namespace acquisition {

AcquisitionLine realAcquisitionLine() {
    return {[] { return std::make_unique<TermiosLine>(); },
            [] { return std::make_unique<DeviceListComPortMap>(systemComPortMap()); }};
}

const char* comPortNamesExplained() {
    return "Port names: COMn is the n-th serial device of the machine, USB serial adapters\n"
           "(/dev/ttyUSB*) first, then /dev/ttyACM*, then /dev/ttyS*, each in numeric order.\n";
}

}  // namespace acquisition
