#pragma once
// Where the placement store keeps a window: the key named after the host program and the window's section.

#include <string>
#include <string_view>

#include "placement/placement_window.h"

namespace zqt {

// "Software\" followed by the file name of `exe_path` without directory and extension.
std::string DefaultStoreKey(std::string_view exe_path);

// The window's class name.
std::string DefaultSectionName(const PlacementWindow& window);

}  // namespace zqt
