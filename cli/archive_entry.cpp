// `litm archive` in litm's list, where litm-archive is built: litm runs that program.

#include "cli/subcommands.h"

namespace {
const cli::RegisterSubcommand entry({"archive", cli::kArchiveSummary, nullptr}, 2);
}  // namespace
