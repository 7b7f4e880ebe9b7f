#include "placement/registry.h"

namespace zqt {

RegKey::RegKey(RegKey&& other) noexcept
    : registry_(other.registry_), handle_(std::exchange(other.handle_, RegHandle{})) {}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    registry_ = other.registry_;
    handle_ = std::exchange(other.handle_, RegHandle{});
  }
  return *this;
}

void RegKey::Close() {
  if (handle_ != RegHandle{}) {
    registry_->CloseKey(std::exchange(handle_, RegHandle{}));
  }
}

std::optional<RegKey> CreateRegKey(Registry& registry, RegHandle parent, std::string_view sub_key,
                                   std::uint32_t access) {
  if (auto handle = registry.CreateKey(parent, sub_key, access)) {
    return RegKey(registry, *handle);
  }
  return std::nullopt;
}

std::optional<RegKey> OpenRegKey(Registry& registry, RegHandle parent, std::string_view sub_key,
                                 std::uint32_t access) {
  if (auto handle = registry.OpenKey(parent, sub_key, access)) {
    return RegKey(registry, *handle);
  }
  return std::nullopt;
}

}  // namespace zqt
