#include "cli/read_command.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/acquisition_line.h"
#include "acquisition/litm3_protocol.h"
#include "acquisition/save_reading.h"
#include "base/local_time.h"
#include "base/utf8_path.h"
#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "cli/terminal.h"
#include "cli/terminal_text.h"
#include "fileio/interrupt.h"
#include "fileio/safe_write.h"
#include "recorder/datafile.h"

namespace cli {

namespace {

const char* const kUsageStart =
    "Usage: litm read --out FILE [--port NAME] [service fields]\n"
    "\n"
    "Reads the recorder image from the ЛИТМ-3 reader device and saves it with the\n"
    "service information as the data file FILE.\n"
    "\n"
    "  --out FILE             the data file to write: checked before the transfer,\n"
    "                         replaced only when complete; should it fail after the\n"
    "                         transfer, the reading is kept under its proposed name\n"
    "                         beside it (or in the temporary folder) and named\n"
    "  --port NAME            probe only this port: COM0 .. COM14 or a device path\n"
    "                         (default: probe COM0 .. COM14 in turn)\n"
    "Service fields (each cut to its place in the file):\n"
    "  --owner TEXT           crane owner (50 bytes)\n"
    "  --service-org TEXT     service organisation (50 bytes)\n"
    "  --operator TEXT        who read the device (50 bytes)\n"
    "  --certificate TEXT     that person's certificate number (20 bytes)\n"
    "  --valid-until DATE     certificate valid until, dd.mm.yyyy\n"
    "  --date DATE            date of reading, \"dd.mm.yyyy hh:mm\" (default: now)\n"
    "  --help                 show this text\n"
    "\n";

const char* const kUsageEnd =
    "\n"
    "Exit status: 0 saved; 1 no device, transfer failed or file not written;\n"
    "3 saved, but the image sum does not match; 64 bad command line;\n"
    "130 (Ctrl+C), 143 (SIGTERM), 129 (terminal closed) or 131 (Ctrl+\\) stopped,\n"
    "nothing written.\n";

// The port names are explained as the system the program runs on knows them.
const std::string kUsageText =
    kUsageStart + std::string(acquisition::comPortNamesExplained()) + kUsageEnd;
const char* const kUsage = kUsageText.c_str();

// Status lines one below the other, the gauge as a bar redrawn in place when
// standard error is a terminal.
class TerminalStatus : public acquisition::StatusSink {
  public:
    TerminalStatus() : drawBar_(cli::stderrIsTerminal()) {}
    ~TerminalStatus() override { endBar(); }

    void setStatusText(const std::string& utf8) override { text_ = utf8; }
    void setStatusColour(acquisition::StatusColour) override {}
    void repaintStatus() override {
        if (text_ == shown_) return;
        endBar();
        std::cerr << terminalText(text_) << "\n";
        shown_ = text_;
    }
    void setGauge(int percent) override {
        if (!drawBar_ || percent == 0) return;
        constexpr int kWidth = 40;
        const int filled = percent * kWidth / 100;
        char number[8];
        std::snprintf(number, sizeof number, "%3d%%", percent);
        std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << number
                  << std::flush;
        barOpen_ = true;
    }

  private:
    void endBar() {
        if (!barOpen_) return;
        std::cerr << '\n';
        barOpen_ = false;
    }

    bool drawBar_;
    bool barOpen_ = false;
    std::string text_;
    std::string shown_;
};

// The protocol's pauses, cut short by Ctrl+C.
void sleepUnlessStopped(int milliseconds) {
    constexpr int kStep = 10;
    for (int slept = 0; slept < milliseconds && fileio::interruptSignal() == 0; slept += kStep)
        acquisition::sleepMilliseconds(std::min(kStep, milliseconds - slept));
}

// The file could not be written after all (its folder went, the disk filled):
// the reading is kept under its proposed name beside it, or in the temporary folder.
int keepUnsaved(const std::string& out, const std::vector<std::uint8_t>& image,
                const recorder::ServiceTexts& texts) {
    const auto kept = acquisition::keepUnsavedReading(base::pathFromUtf8(out), image, texts,
                                                      recorder::localNow());
    if (kept.empty())
        std::cerr << "Считанная информация не сохранена: ни папка файла, ни временная "
                     "папка не принимают запись.\n";
    else
        std::cerr << "Считанная информация сохранена в файле «" << terminalText(base::utf8Of(kept))
                  << "».\n";
    return kExitFailure;
}

int interrupted(int signal) {
    std::cerr << "Чтение прервано, файл не записан.\n";
    return fileio::interruptExitStatus(signal);
}

}  // namespace

const Subcommand kReadCommand{"read", "read the ЛИТМ-3 reader device and save the reading",
                              static_cast<int (*)(int, char**)>(runReadCommand)};

int runReadCommand(int argc, char** argv) {
    return runReadCommand(argc, argv, *acquisition::realAcquisitionLine().makePorts());
}

int runReadCommand(int argc, char** argv, const acquisition::ComPortMap& ports) {
    recorder::ServiceTexts texts = acquisition::defaultServiceTexts(recorder::localNow());
    std::string out;
    std::string port;
    try {
        Arguments args(argc, argv);
        if (args.flag("--help") || args.flag("-h")) {
            std::cout << kUsage;
            return kExitOk;
        }
        const std::vector<std::pair<const char*, std::string*>> fields = {
            {"--out", &out},
            {"--port", &port},
            {"--owner", &texts.owner},
            {"--service-org", &texts.serviceOrganisation},
            {"--operator", &texts.operatorName},
            {"--certificate", &texts.certificateNumber},
            {"--valid-until", &texts.certificateValidUntil},
            {"--date", &texts.readingDate},
        };
        for (const auto& [name, field] : fields)
            if (auto value = args.value(name)) *field = *value;
        args.expectPositionals(0, "only options");
        if (out.empty()) throw UsageError{"--out FILE is required"};
    } catch (const UsageError& e) {
        std::cerr << "litm read: " << e.message << "\n\n" << kUsage;
        return kExitUsage;
    }

    std::vector<acquisition::PortCandidate> candidates;
    if (port.empty()) {
        candidates = acquisition::comPortCandidates(ports);
    } else if (const auto one = acquisition::portCandidateFor(port, ports)) {
        candidates.push_back(*one);
    } else {
        std::cerr << "litm read: not a port name (COM0 .. COM14) or device path: "
                  << terminalText(port) << "\n";
        return kExitUsage;
    }

    // The file is checked before the half-minute transfer, not after it: a folder,
    // a read-only file or a missing folder is said at once.
    if (const fileio::WriteResult ready = fileio::checkSaveTarget(base::pathFromUtf8(out));
        !ready.ok) {
        std::cerr << "litm read: " << terminalText(ready.message) << "\n";
        return kExitFailure;
    }

    // Ctrl+C, SIGTERM, SIGHUP or SIGQUIT stops the reading: the port gets its own
    // settings back, no file is written (an earlier one stays) and the status is
    // 128 + the signal.
    const fileio::InterruptHandlers interrupts(fileio::OnInterrupt::Note);
    TerminalStatus status;
    const std::unique_ptr<acquisition::SerialLine> line =
        acquisition::realAcquisitionLine().makeLine();
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsavedReading = 0;
    const acquisition::ReadResult result = acquisition::readDevice(
        *line, candidates, status, image, unsavedReading, sleepUnlessStopped);
    if (const int signal = fileio::interruptSignal()) return interrupted(signal);
    if (result.outcome != acquisition::ReadOutcome::Good &&
        result.outcome != acquisition::ReadOutcome::SumMismatch) {
        return kExitFailure;
    }

    const acquisition::SaveResult saved =
        acquisition::saveReading(base::pathFromUtf8(out), image, texts, status, unsavedReading);
    if (const int signal = fileio::interruptSignal()) return interrupted(signal);
    if (!saved.ok) {
        std::cerr << terminalText(saved.message) << "\n";
        return keepUnsaved(out, image, texts);
    }
    return result.outcome == acquisition::ReadOutcome::Good ? kExitOk : kExitSumMismatch;
}

}  // namespace cli
