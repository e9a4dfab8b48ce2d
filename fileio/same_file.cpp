#include "fileio/same_file.h"

#include "base/utf8_path.h"
#include "fileio/same_file_platform.h"

namespace fileio {

namespace fs = std::filesystem;

bool isSameFile(const fs::path& a, const fs::path& b) {
    if (a.native() == b.native()) return true;
    if (const std::optional<bool> same = detail::sameExistingFile(a, b)) return *same;
    // "sub/../t.rtf" leads to t.rtf even while sub does not exist.
    std::error_code ecA, ecB;
    const fs::path ca = fs::weakly_canonical(fs::absolute(a, ecA), ecA);
    const fs::path cb = fs::weakly_canonical(fs::absolute(b, ecB), ecB);
    return !ecA && !ecB && detail::sameName(ca, cb);
}

const fs::path* overwrittenInput(const fs::path& output, std::span<const fs::path> inputs) {
    for (const fs::path& input : inputs)
        if (!input.empty() && isSameFile(output, input)) return &input;
    return nullptr;
}

std::string sameFileMessage(const fs::path& output, const fs::path& input) {
    return "Файл «" + base::utf8Of(output) + "» — это тот же файл, что и «" + base::utf8Of(input) +
           "»: запись уничтожила бы его, ничего не записано.";
}

}  // namespace fileio
