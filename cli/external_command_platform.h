#pragma once
// What the two systems' ways of running litm-NAME (external_command_posix.cpp,
// external_command_win32.cpp) share: the program's name and the messages.

#include <filesystem>
#include <string>
#include <string_view>

namespace cli {

// "litm-NAME", with the system's suffix for programs.
std::string externalProgramName(const char* name);

// The program beside litm exists but does not start.
void reportCannotRun(const char* name, const std::filesystem::path& program,
                     const std::string& reason);
// Neither beside litm (in folder, when it is known) nor on PATH.
void reportNotInstalled(const char* name, const std::filesystem::path& folder);
// Found on PATH, but it does not start.
void reportCannotStart(const char* name, const std::string& reason);

// One argument written into a Windows command line so that the program's
// argument parsing (CommandLineToArgvW, the C runtime's) gives it back as it
// was: quoted when it is empty or holds a blank or a quote, with backslashes
// doubled only where they precede a quote.
std::string quotedArgument(std::string_view argument);

}  // namespace cli
