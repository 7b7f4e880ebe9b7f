#pragma once
// The placement store's registry over the current user's Windows registry (the ANSI Reg* functions).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "placement/registry.h"

namespace zqt::win32 {

class WinRegistry final : public Registry {
 public:
  std::optional<RegHandle> CreateKey(RegHandle parent, std::string_view sub_key,
                                     std::uint32_t access) override;
  std::optional<RegHandle> OpenKey(RegHandle parent, std::string_view sub_key, std::uint32_t access) override;
  std::optional<RegValueInfo> QueryValueInfo(RegHandle key, std::string_view name) override;
  std::optional<std::string> QueryValueData(RegHandle key, std::string_view name,
                                            std::uint32_t size) override;
  bool SetStringValue(RegHandle key, std::string_view name, std::string_view text) override;
  void CloseKey(RegHandle key) override;
};

}  // namespace zqt::win32
