// litm-probe: a stand-in for litm's helper programs in the tests that run one.
// Writes the arguments after the first, each ended by a zero byte, into the
// file the first one names, and ends with the status kProbeStatus.

#include <fstream>

#include "base/utf8_path.h"
#include "cli/terminal.h"
#include "external_probe.h"

int main(int argc, char** argv) {
    cli::Utf8Arguments arguments(argc, argv);
    if (arguments.argc() < 2) return 2;
    std::ofstream out(base::pathFromUtf8(arguments.argv()[1]), std::ios::binary);
    for (int i = 2; i < arguments.argc(); ++i) out << arguments.argv()[i] << '\0';
    return out.good() ? kProbeStatus : 2;
}
