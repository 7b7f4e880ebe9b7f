#include "win32/win_registry.h"

#include <windows.h>

namespace zqt::win32 {
namespace {

// The root is a fixed value in the core; a 64-bit HKEY_CURRENT_USER is its sign-extended form.
HKEY ToHkey(RegHandle handle) {
  return handle == kHKeyCurrentUser ? HKEY_CURRENT_USER : reinterpret_cast<HKEY>(handle);
}

RegHandle ToHandle(HKEY key) {
  return reinterpret_cast<RegHandle>(key);
}

}  // namespace

std::optional<RegHandle> WinRegistry::CreateKey(RegHandle parent, std::string_view sub_key,
                                                std::uint32_t access) {
  HKEY key = nullptr;
  const auto status = RegCreateKeyExA(ToHkey(parent), std::string(sub_key).c_str(), 0, nullptr, 0, access,
                                      nullptr, &key, nullptr);
  return status == ERROR_SUCCESS ? std::optional(ToHandle(key)) : std::nullopt;
}

std::optional<RegHandle> WinRegistry::OpenKey(RegHandle parent, std::string_view sub_key,
                                              std::uint32_t access) {
  HKEY key = nullptr;
  const auto status = RegOpenKeyExA(ToHkey(parent), std::string(sub_key).c_str(), 0, access, &key);
  return status == ERROR_SUCCESS ? std::optional(ToHandle(key)) : std::nullopt;
}

std::optional<RegValueInfo> WinRegistry::QueryValueInfo(RegHandle key, std::string_view name) {
  DWORD type = 0;
  DWORD size = 0;
  const auto status =
      RegQueryValueExA(ToHkey(key), std::string(name).c_str(), nullptr, &type, nullptr, &size);
  return status == ERROR_SUCCESS ? std::optional(RegValueInfo{type, size}) : std::nullopt;
}

std::optional<std::string> WinRegistry::QueryValueData(RegHandle key, std::string_view name,
                                                       std::uint32_t size) {
  std::string data(size, '\0');
  DWORD type = 0;
  DWORD length = size;
  const auto status = RegQueryValueExA(ToHkey(key), std::string(name).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(data.data()), &length);
  if (status != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(length);
  return data;
}

bool WinRegistry::SetStringValue(RegHandle key, std::string_view name, std::string_view text) {
  const std::string data(text);
  return RegSetValueExA(ToHkey(key), std::string(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

void WinRegistry::CloseKey(RegHandle key) {
  RegCloseKey(ToHkey(key));
}

}  // namespace zqt::win32
