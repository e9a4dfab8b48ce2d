// litm3-sim: a ЛИТМ-3 reader device on a pseudo-terminal.
//
// Prints the terminal's path as the first line, then serves until stopped
// (Ctrl+C). Point the acquisition at that path, e.g. `litm read --port PATH`.

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "recorder/datafile.h"
#include "simulation/litm3_device/litm3_device_posix.h"

namespace {

std::atomic<bool> stopRequested{false};

void onSignal(int) {
    stopRequested = true;
}

void printUsage(std::FILE* out) {
    std::fputs(
        "Usage: litm3-sim [--fast] [fault options] [FILE]\n"
        "\n"
        "Serves the recorder image of the data file FILE (a generated reading when\n"
        "no FILE is given) as a ЛИТМ-3 reader device on a pseudo-terminal. The\n"
        "terminal's path is printed as the first line; the device serves until stopped.\n"
        "\n"
        "  --fast               send as fast as possible (default: 9600 bytes/s,\n"
        "                       the real line rate of 115200 baud, 12 bits a byte)\n"
        "Fault options:\n"
        "  --probe-answer BYTE  answer the probe with BYTE (e.g. 0x55) instead of 0xA0\n"
        "  --silent             never answer anything\n"
        "  --stop-after N       stop each transfer after N bytes\n"
        "  --wrong-sum          store an image sum that does not match the image\n"
        "  --extra N            send N more bytes after the full image\n"
        "  --seed N             seed of the generated reading (default 1)\n"
        "  --link PATH          also make PATH a symbolic link to the terminal while\n"
        "                       serving (e.g. /dev/ttyUSB99, which the window then\n"
        "                       probes as one of COM0 .. COM14)\n"
        "  --help               show this text\n",
        out);
}

bool parseNumber(const char* text, unsigned long max, unsigned long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text, &end, 0);
    return errno == 0 && end != text && *end == '\0' && value <= max;
}

}  // namespace

int main(int argc, char** argv) {
    litm3sim::DeviceOptions options;
    const char* file = nullptr;
    std::uint64_t seed = 1;
    std::string link;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        unsigned long value = 0;
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            return 0;
        } else if (arg == "--fast") {
            options.fast = true;
        } else if (arg == "--silent") {
            options.silent = true;
        } else if (arg == "--wrong-sum") {
            options.wrongSum = true;
        } else if (arg == "--probe-answer" && hasValue && parseNumber(argv[i + 1], 255, value)) {
            options.probeAnswer = static_cast<std::uint8_t>(value);
            ++i;
        } else if (arg == "--stop-after" && hasValue && parseNumber(argv[i + 1], ~0ul, value)) {
            options.stopAfter = value;
            ++i;
        } else if (arg == "--extra" && hasValue && parseNumber(argv[i + 1], 1ul << 30, value)) {
            options.extraBytes = value;
            ++i;
        } else if (arg == "--seed" && hasValue && parseNumber(argv[i + 1], ~0ul, value)) {
            seed = value;
            ++i;
        } else if (arg == "--link" && hasValue) {
            link = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "litm3-sim: bad option or value: %s\n", arg.c_str());
            printUsage(stderr);
            return 2;
        } else if (!file) {
            file = argv[i];
        } else {
            std::fprintf(stderr, "litm3-sim: only one FILE may be given\n");
            return 2;
        }
    }

    std::vector<std::uint8_t> image;
    if (file) {
        std::vector<std::uint8_t> bytes;
        recorder::FileReadError error;
        if (!recorder::readFileBytes(file, bytes, error)) {
            std::fprintf(stderr, "litm3-sim: %s: %s\n", file, error.message.c_str());
            return 1;
        }
        image = litm3sim::imageFromDataFile(bytes);
    } else {
        image = litm3sim::generatedImage(seed);
    }

    litm3sim::Device device(std::move(image), options);
    std::string error;
    if (!device.open(error)) {
        std::fprintf(stderr, "litm3-sim: %s\n", error.c_str());
        return 1;
    }
    if (!link.empty() && ::symlink(device.path().c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "litm3-sim: cannot link %s: %s\n", link.c_str(), std::strerror(errno));
        return 1;
    }
    std::printf("%s\n", device.path().c_str());
    std::fflush(stdout);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    device.serve(stopRequested);
    if (!link.empty()) ::unlink(link.c_str());
    return 0;
}
