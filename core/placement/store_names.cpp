#include "store_names.h"

namespace zqt {

std::string DefaultStoreKey(std::string_view exePath) {
  constexpr std::string_view kDirectorySeparators = "\\:";
  const auto nameStart = exePath.find_last_of(kDirectorySeparators);
  auto name = nameStart == std::string_view::npos ? exePath : exePath.substr(nameStart + 1);
  if (const auto dot = name.rfind('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  return "Software\\" + std::string(name);
}

std::string DefaultSectionName(const PlacementWindow& window) {
  return window.ClassName();
}

}  // namespace zqt
