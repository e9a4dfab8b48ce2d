#pragma once
// The subcommands of `litm`. Each lives in its own file; main lists them.

namespace cli {

struct Subcommand {
    const char* name;
    const char* summary;
    int (*run)(int argc, char** argv);  // argv[0] is the subcommand name
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
#ifdef TIRS_HAVE_REPORTS
extern const Subcommand kReportCommand;  // only where the reports are built
#endif

}  // namespace cli
