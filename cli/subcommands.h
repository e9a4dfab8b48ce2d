#pragma once
// The subcommands of `litm`. Each lives in its own file. The built-in ones are
// always there; an optional one, built only where its libraries are, adds itself
// to litm's list with RegisterSubcommand from a file linked into litm.

#include <vector>

namespace cli {

struct Subcommand {
    const char* name;
    const char* summary;
    // argv[0] is the subcommand name. Null in litm's list for a command that is a
    // program of its own, litm-NAME, which litm runs in its place.
    int (*run)(int argc, char** argv);
};

extern const Subcommand kCheckCommand;
extern const Subcommand kShowCommand;
extern const Subcommand kAddressesCommand;
extern const Subcommand kFramesCommand;
extern const Subcommand kOverloadsCommand;
extern const Subcommand kSampleCommand;
extern const Subcommand kMergeCommand;
extern const Subcommand kReadCommand;
extern const Subcommand kFormCommand;

// The commands that draw or store with Qt are programs of their own, so that the
// others load no Qt library: litm-report (library litm_report_command) and
// litm-archive (litm_archive_command).
inline constexpr const char* kReportSummary = "write the printed reports of readings as PDF";
extern const Subcommand kReportCommand;
inline constexpr const char* kArchiveSummary =
    "keep readings in an archive: add, list, history, get";
extern const Subcommand kArchiveCommand;

// Puts an optional command into litm's list, at its place among the optional ones
// (they follow the built-in ones in `litm --help`).
struct RegisterSubcommand {
    RegisterSubcommand(const Subcommand& command, int place);
};

// Every command of litm, in the order `litm --help` lists them.
std::vector<Subcommand> subcommands();

// Runs one command as litm does: Ctrl+C removes the files being written, a
// malformed command line prints its message and the hint, any other failure its
// message. Returns the exit status.
int runSubcommand(const Subcommand& command, int argc, char** argv);

}  // namespace cli
