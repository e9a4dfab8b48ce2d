#include "acquisition/acquisition_line.h"

#include "acquisition/com_ports_posix.h"
#include "acquisition/termios_line_posix.h"

namespace acquisition {

AcquisitionLine realAcquisitionLine() {
    return {[] { return std::make_unique<TermiosLine>(); },
            [] { return std::make_unique<DeviceListComPortMap>(systemComPortMap()); }};
}

}  // namespace acquisition
