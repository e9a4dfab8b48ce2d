// `litm report` in litm's list, where litm-report is built: litm runs that program.

#include "cli/subcommands.h"

namespace {
const cli::RegisterSubcommand entry({"report", cli::kReportSummary, nullptr}, 1);
}  // namespace
