#include "win32/win_registry.h"

namespace zqt::win32 {
namespace {

// Creates or opens `path` below `parent` with all access; empty when that fails.
UniqueKey CreateKey(HKEY parent, const char* path) {
  HKEY key = nullptr;
  const auto status = RegCreateKeyExA(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return UniqueKey(status == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

void WinRegistry::Open(bool read_only) {
  // Even a read-only store creates the key, with all access; its sections are then opened for reading only.
  key_ = CreateKey(HKEY_CURRENT_USER, key_path_.c_str());
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
  if (size == 0) {
    return value;
  }
  DWORD length = size;
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
  if (!key_) {
    return WriteResult::kNoKey;
  }
  if (!CreateKey(key_.get(), kSectionName)) {
    return WriteResult::kSectionNotCreated;
  }
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
