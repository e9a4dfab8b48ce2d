// Gives a container's memory back. Assigning an empty string or "{}" does not:
// the standard library keeps the capacity (a short string's move assignment copies
// its characters into the old buffer, "= {}" picks the initializer-list overload).
#pragma once

#include <utility>

namespace RepoRTF_interface::detail {

template <typename Container>
void freeStorage(Container& container) {
    Container().swap(container);
}

}  // namespace RepoRTF_interface::detail
