#pragma once
// The window's section in the current user's registry, through the ANSI Reg* functions:
// HKEY_CURRENT_USER\<key path>\TfmMainForm, whose values are all string values.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "placement/settings_section.h"
#include "win32/host_process.h"

namespace zqt::win32 {

struct RegKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

class WinRegistry final : public SettingsSection {
 public:
  // By default the host program's key: "Software\" and the name of its executable.
  explicit WinRegistry(std::string key_path = HostStoreKey()) : key_path_(std::move(key_path)) {}

  void Open(bool read_only) override;
  void Close() override { key_.reset(); }
  std::optional<SectionValue> Read(std::string_view name) override;
  WriteResult Write(std::string_view name, std::string_view text) override;

 private:
  // The section's key opened with the store's access; empty when it does not open.
  UniqueKey OpenSection() const;

  std::string key_path_;
  // The key path's key while the store is open; empty when it could not be created.
  UniqueKey key_;
  REGSAM access_ = KEY_ALL_ACCESS;
};

}  // namespace zqt::win32
