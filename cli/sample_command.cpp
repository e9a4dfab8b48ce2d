// `litm sample`: writes a realistic generated reading, for trying the program
// without a recorder.

#include <cstdlib>
#include <iostream>
#include <string>

#include "acquisition/save_reading.h"
#include "base/design_life.h"
#include "base/utf8_path.h"
#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "simulation/sample_reading/calendar.h"
#include "simulation/sample_reading/sample_reading.h"

namespace cli {
namespace {

constexpr const char* kSampleHelp =
    "usage: litm sample --out FILE [--seed N] [--buffer-frames N] [--overloads N]\n"
    "                   [--serial TEXT] [--crane-model TEXT] [--crane-number N]\n"
    "                   [--owner TEXT] [--mode-group N] [--installed DD.MM.YYYY]\n"
    "                   [--date 'DD.MM.YYYY HH:MM'] [--past-cycles N] [--characteristic X]\n"
    "Writes a generated reading of a crane at work over several days: frames,\n"
    "overload records, both banks and every check right. The same seed gives the\n"
    "same file. The options name the limiter and the crane, the day of the reading\n"
    "(the crane's work ends in the fortnight before it), the cycles of the crane's\n"
    "life before that work and the characteristic number both banks hold, so that a\n"
    "fleet of cranes read over months can be made.\n";

// "DD.MM.YYYY" or "DD.MM.YYYY HH:MM" as a day number and the text the trailer keeps.
int readingDay(const std::string& text, const char* what, std::string& normalised) {
    const std::string full = text.size() == 10 ? text + " 17:00" : text;
    const auto minutes = archive::parseReadingDate(full);
    if (!minutes || full.size() != 16)
        throw UsageError{std::string(what) + " expects DD.MM.YYYY or 'DD.MM.YYYY HH:MM', not '" +
                         text + "'"};
    normalised = full;
    return static_cast<int>(*minutes / 1440);
}

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
    sample::CraneIdentity& id = options.identity;
    if (auto serial = args.value("--serial")) id.serialNumber = *serial;
    if (auto model = args.value("--crane-model")) id.craneModel = *model;
    if (auto number = args.value("--crane-number"))
        id.craneNumber = static_cast<int>(parseInteger(*number, "--crane-number", 0, 32767));
    if (auto group = args.value("--mode-group"))
        id.modeGroup = static_cast<int>(parseInteger(*group, "--mode-group", -128, 127));
    if (auto owner = args.value("--owner")) options.service.owner = *owner;
    std::string normalised;
    if (auto installed = args.value("--installed")) {
        const sample::CivilDate d =
            sample::dateOf(readingDay(*installed, "--installed", normalised));
        id.installDate = d;
    }
    if (auto date = args.value("--date")) {
        const int day = readingDay(*date, "--date", normalised);
        options.service.readingDate = normalised;
        options.firstWorkDay = sample::dateOf(day - 14);
    }
    if (auto past = args.value("--past-cycles"))
        options.pastCycles =
            static_cast<std::int32_t>(parseInteger(*past, "--past-cycles", 0, 40000000));
    if (auto number = args.value("--characteristic")) {
        char* end = nullptr;
        const double value = std::strtod(number->c_str(), &end);
        if (end == number->c_str() || *end != '\0' || !(value >= 0) || value > 1e9)
            throw UsageError{"--characteristic expects a number from 0, not '" + *number + "'"};
        options.characteristicNumber = static_cast<float>(value);
    }
    args.expectPositionals(0, "no arguments besides the options");

    // Written like a saved reading: complete or not at all, an earlier file intact.
    const auto saved =
        acquisition::writeFileSafely(base::pathFromUtf8(*out), sample::makeSampleReading(options));
    if (!saved.ok) {
        std::cerr << "litm: " << saved.message << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

const Subcommand kSampleCommand{"sample", "write a generated sample reading", runSample};

}  // namespace cli
