#include "acquisition/acquisition_line.h"

#include "acquisition/serial_line_win32.h"

namespace acquisition {

AcquisitionLine realAcquisitionLine() {
    return {[] { return std::make_unique<Win32SerialLine>(); },
            [] { return std::make_unique<WindowsComPortMap>(); }};
}

const char* comPortNamesExplained() {
    return "Port names: COMn is the Windows port of that name (also written \\\\.\\COMn);\n"
           "the number of a USB serial adapter is shown by the Device Manager under\n"
           "\"Ports (COM & LPT)\".\n";
}

}  // namespace acquisition
