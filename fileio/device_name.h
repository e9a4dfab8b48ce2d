#pragma once
// Names Windows keeps for its devices in every folder: "CON", "nul.txt" or
// "COM1 . log" open the console, the null device or a serial port, never a
// file. The check is plain text, so it is the same wherever it is compiled.

#include <string_view>

namespace fileio {

// True when a file name (the last part of a path, UTF-8) names a Windows device:
// CON, PRN, AUX, NUL, COM0-COM9, LPT0-LPT9 (and CONIN$, CONOUT$), in any case,
// with or without an extension, with trailing dots or spaces.
bool isDeviceName(std::string_view fileName);

}  // namespace fileio
