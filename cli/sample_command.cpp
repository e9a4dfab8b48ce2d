// `litm sample`: writes a realistic generated reading, for trying the program
// without a recorder.

#include <iostream>
#include <string>

#include "acquisition/save_reading.h"
#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "tools/sample_reading/sample_reading.h"

namespace cli {
namespace {

constexpr const char* kSampleHelp =
    "usage: litm sample --out FILE [--seed N] [--buffer-frames N] [--overloads N]\n"
    "Writes a generated reading of a crane at work over several days: frames,\n"
    "overload records, both banks and every check right. The same seed gives the\n"
    "same file.\n";

int runSample(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << kSampleHelp, kExitOk;
    const auto out = args.value("--out");
    if (!out) throw UsageError{"--out FILE is required"};
    sample::SampleOptions options;
    if (auto seed = args.value("--seed"))
        options.seed = static_cast<std::uint64_t>(parseInteger(*seed, "--seed", 0, INT64_MAX));
    if (auto frames = args.value("--buffer-frames"))
        options.bufferFrames = static_cast<int>(parseInteger(*frames, "--buffer-frames", 0, 33));
    if (auto overloads = args.value("--overloads"))
        options.overloads = static_cast<int>(parseInteger(*overloads, "--overloads", 0, 2600));
    args.expectPositionals(0, "no arguments besides the options");

    // Written like a saved reading: complete or not at all, an earlier file intact.
    const auto saved = acquisition::writeFileSafely(*out, sample::makeSampleReading(options));
    if (!saved.ok) {
        std::cerr << "litm: " << saved.message << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

const Subcommand kSampleCommand{"sample", "write a generated sample reading", runSample};

}  // namespace cli
