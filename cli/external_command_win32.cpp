#include <windows.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "base/utf8_path.h"
#include "cli/command_line.h"
#include "cli/external_command.h"
#include "cli/external_command_platform.h"

namespace cli {
namespace {

// The system's own text for an error code, in UTF-8.
std::string reasonText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = length ? std::wstring(text, length) : std::wstring();
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                               reason.back() == L' ' || reason.back() == L'.'))
        reason.pop_back();
    if (reason.empty()) return "error " + std::to_string(code);
    return base::utf8Of(std::filesystem::path(reason));
}

// The folder of the running litm.exe; empty when it cannot be told.
std::filesystem::path ownFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

// Ctrl+C and Ctrl+Break reach every program of the console: the one running
// decides what they do, litm only waits for its status.
BOOL WINAPI leaveInterruptToProgram(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

// Starts the program (application empty: looked for as the system does, on
// PATH among others) on this console with litm's standard handles, waits for
// it and gives its exit status; false with the error code if it does not start.
bool runAndWait(const std::wstring& application, std::wstring commandLine, DWORD& status) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    SetConsoleCtrlHandler(leaveInterruptToProgram, TRUE);
    if (!CreateProcessW(application.empty() ? nullptr : application.c_str(), commandLine.data(),
                        nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        status = GetLastError();
        SetConsoleCtrlHandler(leaveInterruptToProgram, FALSE);
        return false;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    if (!GetExitCodeProcess(process.hProcess, &status)) status = kExitFailure;
    CloseHandle(process.hProcess);
    SetConsoleCtrlHandler(leaveInterruptToProgram, FALSE);
    return true;
}

}  // namespace

int runExternalCommand(const char* name, int argc, char** argv) {
    const std::string program = externalProgramName(name);
    std::string commandLine = quotedArgument(program);
    for (int i = 1; i < argc; ++i) commandLine += " " + quotedArgument(argv[i]);
    const std::wstring wideCommandLine = base::pathFromUtf8(commandLine).wstring();
    // What litm wrote so far comes before the program's own output.
    std::cout.flush();
    std::cerr.flush();

    // Beside litm first, so an installed or built litm runs its own helper and
    // not another version found on PATH.
    DWORD status = 0;
    const std::filesystem::path folder = ownFolder();
    if (!folder.empty()) {
        const std::filesystem::path beside = folder / program;
        if (runAndWait(beside.wstring(), wideCommandLine, status)) return static_cast<int>(status);
        if (status != ERROR_FILE_NOT_FOUND && status != ERROR_PATH_NOT_FOUND) {
            reportCannotRun(name, beside, reasonText(status));
            return kExitFailure;
        }
    }
    if (runAndWait(std::wstring(), wideCommandLine, status)) return static_cast<int>(status);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND)
        reportNotInstalled(name, folder);
    else
        reportCannotStart(name, reasonText(status));
    return kExitFailure;
}

}  // namespace cli
