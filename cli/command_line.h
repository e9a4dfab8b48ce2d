#pragma once
// Small helpers shared by the subcommands of `litm`: argument scanning,
// the decimal separator, opening a reading with a clear message.

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "recorder/number_format.h"
#include "recorder/reading.h"
#include "recorder/record_csv.h"

namespace cli {

// The exit status of every command:
inline constexpr int kExitOk = 0;           // done
inline constexpr int kExitFailure = 1;      // the checked thing failed (or could not be done)
inline constexpr int kExitCannotOpen = 2;   // the data file could not be opened
inline constexpr int kExitSumMismatch = 3;  // read: saved, but the image sum does not match
inline constexpr int kExitUsage = 64;       // bad command line

// Thrown for a malformed command line; main prints the message and the hint.
struct UsageError {
    std::string message;
};

// The arguments after the subcommand name, consumed as they are recognised.
class Arguments {
  public:
    Arguments(int argc, char** argv);  // argv[0] is the subcommand

    bool flag(std::string_view name);                                   // --json
    std::optional<std::string> value(std::string_view name);            // --out FILE
    std::vector<std::string> values(std::string_view name, int count);  // --range A B
    // The remaining positional arguments; anything left that looks like an option is an error.
    std::vector<std::string> positionals();
    void expectPositionals(std::size_t count, const char* what);

  private:
    std::vector<std::string> args_;
};

// "--decimal ," or "--decimal ." forces the separator; otherwise the locale's.
recorder::NumberFormat numberFormat(Arguments& args);

// Integer argument in a range; UsageError otherwise.
long long parseInteger(const std::string& text, const char* what, long long min, long long max);

// The program's own message for a file that cannot be opened, with the file and the reason.
void reportCannotOpen(const std::string& path, const std::string& reason);

// True, with the message on standard error, when writing output would replace
// one of the inputs (the same file, through links too): the command then writes
// nothing and fails.
bool overwritesInput(std::string_view command, const std::filesystem::path& output,
                     std::span<const std::filesystem::path> inputs);
inline bool overwritesInput(std::string_view command, const std::filesystem::path& output,
                            std::initializer_list<std::filesystem::path> inputs) {
    return overwritesInput(command, output, std::span(inputs.begin(), inputs.size()));
}

// Loads a reading; reports and returns false when the file cannot be opened.
bool loadOrReport(const std::string& path, recorder::Reading& reading,
                  const recorder::NumberFormat& format);

// A reading that failed its checks (the load-error log has lines) is still
// printed as loaded, but never silently: `command` tells on stderr how many
// checks failed and the first lines of the log. With `strict` the reading is
// refused instead. True when the command is to go on with the reading.
bool acceptCheckedReading(const char* command, const std::string& path,
                          const recorder::Reading& reading, bool strict);

// Shortest decimal text of a float that reads back to the same float ("10.5", "-0.01").
using recorder::shortestNumber;

}  // namespace cli
