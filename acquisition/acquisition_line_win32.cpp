#include "acquisition/acquisition_line.h"

#include "acquisition/serial_line_win32.h"

namespace acquisition {

AcquisitionLine realAcquisitionLine() {
    return {[] { return std::make_unique<Win32SerialLine>(); },
            [] { return std::make_unique<WindowsComPortMap>(); }};
}

}  // namespace acquisition
