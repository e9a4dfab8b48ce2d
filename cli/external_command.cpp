#include <iostream>

#include "base/utf8_path.h"
#include "cli/external_command_platform.h"
#include "cli/terminal_text.h"

namespace cli {

std::string externalProgramName(const char* name) {
#ifdef _WIN32
    return std::string("litm-") + name + ".exe";
#else
    return std::string("litm-") + name;
#endif
}

void reportCannotRun(const char* name, const std::filesystem::path& program,
                     const std::string& reason) {
    std::cerr << "litm " << name << ": cannot run " << terminalText(base::utf8Of(program)) << ": "
              << reason << "\n";
}

void reportNotInstalled(const char* name, const std::filesystem::path& folder) {
    std::cerr << "litm " << name << ": the program " << externalProgramName(name)
              << " that runs this command is not installed: it is neither beside litm"
              << (folder.empty() ? std::string() : " (" + terminalText(base::utf8Of(folder)) + ")")
              << " nor on PATH\n";
}

void reportCannotStart(const char* name, const std::string& reason) {
    std::cerr << "litm " << name << ": the program " << externalProgramName(name)
              << " that runs this command cannot be started: " << reason << "\n";
}

std::string quotedArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos)
        return std::string(argument);
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote escape it, so each is doubled and the quote
        // gets one of its own; elsewhere they stand for themselves.
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        out += c;
        backslashes = 0;
    }
    // Before the closing quote they would escape it too.
    out.append(2 * backslashes, '\\');
    out += '"';
    return out;
}

}  // namespace cli
