#pragma once
// The registry operations the placement store needs, at the level of the Win32 calls, and a key that closes
// itself.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace zqt {

// An open key; the roots are fixed values that are never closed.
using RegHandle = std::uintptr_t;

inline constexpr RegHandle kHKeyCurrentUser = 0x80000001;

inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kKeyRead = 0x20019;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;

struct RegValueInfo {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Creates or opens `sub_key` below `parent` (RegCreateKeyExA, options 0); empty when that fails.
  virtual std::optional<RegHandle> CreateKey(RegHandle parent, std::string_view sub_key,
                                             std::uint32_t access) = 0;
  // Opens an existing `sub_key` below `parent` (RegOpenKeyExA); empty when that fails.
  virtual std::optional<RegHandle> OpenKey(RegHandle parent, std::string_view sub_key,
                                           std::uint32_t access) = 0;
  // Type and data size of a value; empty when the value does not exist or cannot be queried.
  virtual std::optional<RegValueInfo> QueryValueInfo(RegHandle key, std::string_view name) = 0;
  // The value's data fetched into a buffer of `size` bytes; empty when the fetch fails.
  virtual std::optional<std::string> QueryValueData(RegHandle key, std::string_view name,
                                                    std::uint32_t size) = 0;
  // Writes a REG_SZ value: the text and one zero byte.
  virtual bool SetStringValue(RegHandle key, std::string_view name, std::string_view text) = 0;
  virtual void CloseKey(RegHandle key) = 0;
};

// Owns one key opened or created through a Registry and closes it when it goes.
class RegKey {
 public:
  RegKey(Registry& registry, RegHandle handle) : registry_(&registry), handle_(handle) {}
  RegKey(RegKey&& other) noexcept;
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() { Close(); }

  RegHandle Handle() const { return handle_; }

 private:
  void Close();

  Registry* registry_;
  RegHandle handle_;
};

// The key created or opened through the registry; empty when that fails.
std::optional<RegKey> CreateRegKey(Registry& registry, RegHandle parent, std::string_view sub_key,
                                   std::uint32_t access);
std::optional<RegKey> OpenRegKey(Registry& registry, RegHandle parent, std::string_view sub_key,
                                 std::uint32_t access);

}  // namespace zqt
