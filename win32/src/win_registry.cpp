#include "win32/win_registry.h"

namespace zqt::win32 {
void WinRegistry::Open(bool read_only) {
  // Even a read-only store creates the key, with all access; its sections are then opened for reading only.
  HKEY key = nullptr;
  const auto status = RegCreateKeyExA(HKEY_CURRENT_USER, key_path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &key, nullptr);
  key_.reset(status == ERROR_SUCCESS ? key : nullptr);
  access_ = read_only ? KEY_READ : KEY_ALL_ACCESS;
}

UniqueKey WinRegistry::OpenSection() const {
  HKEY section = nullptr;
  if (!key_ || RegOpenKeyExA(key_.get(), kSectionName, 0, access_, &section) != ERROR_SUCCESS) {
    return nullptr;
  }
  return UniqueKey(section);
}

std::optional<SectionValue> WinRegistry::Read(std::string_view name) {
  const UniqueKey section = OpenSection();
  const std::string value_name(name);
  DWORD type = 0;
  DWORD size = 0;
  if (!section ||
      RegQueryValueExA(section.get(), value_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  SectionValue value{type, size, std::string(size, '\0')};
  DWORD length = size;
  if (size == 0) {
    return value;
  }
  if (RegQueryValueExA(section.get(), value_name.c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(value.data->data()), &length) == ERROR_SUCCESS) {
    value.data->resize(length);
  } else {
    value.data.reset();
  }
  return value;
}

WriteResult WinRegistry::Write(std::string_view name, std::string_view text) {
  // The section is created (or opened) with all access and closed, then opened with the store's access.
  HKEY created = nullptr;
  if (!key_ || RegCreateKeyExA(key_.get(), kSectionName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                               nullptr) != ERROR_SUCCESS) {
    return WriteResult::kSectionNotCreated;
  }
  UniqueKey{created}.reset();
  const UniqueKey section = OpenSection();
  if (!section) {
    return WriteResult::kSectionNotCreated;
  }
  const std::string data(text);
  const auto status =
      RegSetValueExA(section.get(), std::string(name).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
  return status == ERROR_SUCCESS ? WriteResult::kWritten : WriteResult::kValueNotSet;
}

}  // namespace zqt::win32
