#include "fileio/same_file.h"

#include <sys/stat.h>

namespace fileio {

namespace fs = std::filesystem;

bool isSameFile(const fs::path& a, const fs::path& b) {
    if (a.native() == b.native()) return true;
    struct stat sa {};
    struct stat sb {};
    const bool aExists = ::stat(a.c_str(), &sa) == 0;
    const bool bExists = ::stat(b.c_str(), &sb) == 0;
    if (aExists && bExists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    // "sub/../t.rtf" leads to t.rtf even while sub does not exist.
    std::error_code ecA, ecB;
    const fs::path ca = fs::weakly_canonical(fs::absolute(a, ecA), ecA);
    const fs::path cb = fs::weakly_canonical(fs::absolute(b, ecB), ecB);
    return !ecA && !ecB && ca == cb;
}

const fs::path* overwrittenInput(const fs::path& output, std::span<const fs::path> inputs) {
    for (const fs::path& input : inputs)
        if (!input.empty() && isSameFile(output, input)) return &input;
    return nullptr;
}

std::string sameFileMessage(const fs::path& output, const fs::path& input) {
    return "Файл «" + output.string() + "» — это тот же файл, что и «" + input.string() +
           "»: запись уничтожила бы его, ничего не записано.";
}

}  // namespace fileio
