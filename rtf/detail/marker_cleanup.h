// Removal of the markers that received no value, before text goes to the report:
// a named field (0x03 … 0x03) with everything between, a block from its tag to the
// next occurrence of the same tag, and any lone marker.
#pragma once

#include <string>

namespace RepoRTF_interface::detail {

std::string removeUnusedMarkers(const std::string& text);

}  // namespace RepoRTF_interface::detail
