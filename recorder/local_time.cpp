#include "recorder/local_time.h"

namespace recorder {

std::tm localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm result{};
#if defined(_WIN32)
    localtime_s(&result, &t);
#else
    localtime_r(&t, &result);
#endif
    return result;
}

}  // namespace recorder
