#include "placement_key.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <type_traits>

#include "executable_path.h"
#include "host_error.h"
#include "module_loader.h"

namespace zqthost {
namespace {

constexpr std::string_view kSection = "TfmMainForm";

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

std::string SectionPath(std::string_view key = HostSoftwareKey()) {
  return key.empty() ? std::string(kSection) : std::string(key) + "\\" + std::string(kSection);
}

[[noreturn]] void Fail(const std::string& what, LSTATUS status) {
  throw HostError(ExitCode::kFailure, what + " failed with code " + std::to_string(status));
}

UniqueKey CreateSection() {
  HKEY key = nullptr;
  const LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath().c_str(), 0, nullptr, 0,
                                         KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) {
    Fail("creating HKCU\\" + SectionPath(), status);
  }
  return UniqueKey(key);
}

void SetValue(std::string_view name, DWORD type, const void* data, std::size_t size) {
  const UniqueKey key = CreateSection();
  const std::string value_name(name);
  const LSTATUS status = RegSetValueExA(key.get(), value_name.c_str(), 0, type,
                                        static_cast<const BYTE*>(data), static_cast<DWORD>(size));
  if (status != ERROR_SUCCESS) {
    Fail("setting " + value_name, status);
  }
}

std::string TypeName(DWORD type) {
  switch (type) {
    case REG_SZ:
      return "SZ";
    case REG_EXPAND_SZ:
      return "EXPAND_SZ";
    case REG_MULTI_SZ:
      return "MULTI_SZ";
    case REG_DWORD:
      return "DWORD";
    case REG_QWORD:
      return "QWORD";
    case REG_BINARY:
      return "BINARY";
    case REG_NONE:
      return "NONE";
    default:
      return "TYPE" + std::to_string(type);
  }
}

std::string HexBytes(const std::string& data) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (const char c : data) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  return hex;
}

std::string DataText(DWORD type, std::string data) {
  if (type == REG_DWORD && data.size() == sizeof(std::uint32_t)) {
    std::uint32_t number = 0;
    std::memcpy(&number, data.data(), sizeof number);
    return std::to_string(number);
  }
  if (type == REG_QWORD && data.size() == sizeof(std::uint64_t)) {
    std::uint64_t number = 0;
    std::memcpy(&number, data.data(), sizeof number);
    return std::to_string(number);
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    if (!data.empty() && data.back() == '\0') {
      data.pop_back();
    }
    return data;
  }
  return HexBytes(data);
}

}  // namespace

std::string HostSoftwareKey() {
  const std::string path = ExecutablePath();
  std::string_view name = FileNameOf(path);
  if (const std::size_t dot = name.find_last_of('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  return "Software\\" + std::string(name);
}

std::vector<std::string> DumpPlacementSection(std::string_view host_key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(host_key).c_str(), 0, KEY_READ, &opened) !=
      ERROR_SUCCESS) {
    return {};
  }
  const UniqueKey key(opened);
  DWORD count = 0;
  DWORD longest_name = 0;
  DWORD longest_data = 0;
  LSTATUS status = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                    &longest_name, &longest_data, nullptr, nullptr);
  if (status != ERROR_SUCCESS) {
    Fail("reading HKCU\\" + SectionPath(host_key), status);
  }
  std::map<std::string, std::string> values;  // sorted by name
  for (DWORD index = 0; index < count; ++index) {
    std::string name(longest_name + 1, '\0');
    std::string data(longest_data, '\0');
    auto name_size = static_cast<DWORD>(name.size());
    auto data_size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    status = RegEnumValueA(key.get(), index, name.data(), &name_size, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &data_size);
    if (status != ERROR_SUCCESS) {
      Fail("reading value " + std::to_string(index) + " of HKCU\\" + SectionPath(host_key), status);
    }
    name.resize(name_size);
    data.resize(data_size);
    values[name] = TypeName(type) + ":" + DataText(type, std::move(data));
  }
  std::vector<std::string> lines;
  for (const auto& [name, value] : values) {
    lines.push_back(name + "=" + value);
  }
  return lines;
}

void SetPlacementDword(std::string_view name, DWORD value) {
  SetValue(name, REG_DWORD, &value, sizeof value);
}

void SetPlacementString(std::string_view name, std::string_view text) {
  const std::string data(text);
  SetValue(name, REG_SZ, data.c_str(), data.size() + 1);
}

bool DeleteHostKey() {
  // A locked key grants its owner the right to change its access list back.
  HKEY locked = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, HostSoftwareKey().c_str(), 0, WRITE_DAC, &locked) == ERROR_SUCCESS) {
    SECURITY_DESCRIPTOR open_to_all{};
    InitializeSecurityDescriptor(&open_to_all, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&open_to_all, TRUE, nullptr, FALSE);
    RegSetKeySecurity(locked, DACL_SECURITY_INFORMATION, &open_to_all);
    RegCloseKey(locked);
  }
  const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, HostSoftwareKey().c_str());
  if (status == ERROR_FILE_NOT_FOUND) {
    return false;
  }
  if (status != ERROR_SUCCESS) {
    Fail("deleting HKCU\\" + HostSoftwareKey(), status);
  }
  return true;
}

void MakeHostKey(HostKey kind) {
  DeleteHostKey();
  HKEY created = nullptr;
  const DWORD options = kind == HostKey::kVolatile ? REG_OPTION_VOLATILE : 0;
  LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, HostSoftwareKey().c_str(), 0, nullptr, options,
                                   KEY_ALL_ACCESS, nullptr, &created, nullptr);
  if (status != ERROR_SUCCESS) {
    Fail("creating HKCU\\" + HostSoftwareKey(), status);
  }
  const UniqueKey key(created);
  if (kind == HostKey::kLocked) {
    // An empty access list, not a missing one: nothing is allowed.
    ACL empty{};
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SECURITY_DESCRIPTOR locked{};
    InitializeSecurityDescriptor(&locked, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&locked, TRUE, &empty, FALSE);
    status = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &locked);
    if (status != ERROR_SUCCESS) {
      Fail("locking HKCU\\" + HostSoftwareKey(), status);
    }
  }
}

}  // namespace zqthost
