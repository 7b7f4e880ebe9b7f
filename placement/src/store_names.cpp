#include "placement/store_names.h"

namespace zqt {

std::string DefaultStoreKey(std::string_view exe_path) {
  constexpr std::string_view kDirectorySeparators = "\\:";
  const auto name_start = exe_path.find_last_of(kDirectorySeparators);
  auto name = name_start == std::string_view::npos ? exe_path : exe_path.substr(name_start + 1);
  if (const auto dot = name.rfind('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  return "Software\\" + std::string(name);
}

std::string DefaultSectionName(const PlacementWindow& window) {
  return window.ClassName();
}

}  // namespace zqt
