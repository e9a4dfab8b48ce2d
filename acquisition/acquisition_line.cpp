#include "acquisition/acquisition_line.h"

#include "acquisition/termios_line.h"

namespace acquisition {

AcquisitionLine realAcquisitionLine() {
    return {[] { return std::make_unique<TermiosLine>(); },
            [] { return std::make_unique<DeviceListComPortMap>(systemComPortMap()); }};
}

}  // namespace acquisition
