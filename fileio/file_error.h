#pragma once
// Why a file operation failed, the same on every system: each platform maps its
// own codes (errno values, Windows error codes) onto these kinds, and the kinds
// have the one set of texts the user reads.

#include <string>

namespace fileio {

enum class FileError {
    AccessDenied,
    NotFound,
    FileInPath,  // a file stands where the path needs a folder
    NoSpace,
    TooLarge,
    ReadOnlyMedium,
    IsFolder,
    NameTooLong,
    LinkLoop,
    InputOutput,
    Interrupted,
    InUse,    // another program holds the file open and shares it with no one
    BadName,  // a name the file system does not accept
    Other,
};

// The reason in Russian; empty for Other, which the platform says in its own words.
std::string fileErrorText(FileError kind);

// What a name leads to when it is not a regular file, and why it is refused
// ("это канал (FIFO), а не файл").
enum class NotAFile { Folder, Fifo, Device, Socket, Other };
std::string notAFileText(NotAFile kind);

// The errno value a kind stands for, kept by callers that decide on the cause.
int errnoOf(FileError kind);

// The kind of an errno value; Other when it is none of the above.
FileError fileErrorOfErrno(int error);

// Windows builds only: the kind of a GetLastError() value, and the reason for it
// (the system's own words for a code outside the kinds).
FileError fileErrorOfWin32(unsigned long code);
std::string win32ReasonText(unsigned long code);

}  // namespace fileio
