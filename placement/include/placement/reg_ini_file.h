#pragma once
// The open store: a registry key whose subkeys are sections holding named text values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "placement/registry.h"

namespace zqt {

class TRegIniFile {
 public:
  // Creates or opens `path` below HKEY_CURRENT_USER with all access; sections are then opened with all
  // access, or with read access for a read-only store. When the key cannot be created or opened the store has
  // none: reads give their defaults and writes fail.
  TRegIniFile(Registry& registry, std::string_view path, bool read_only);

  bool HasKey() const { return key_.has_value(); }

  // Raises "Invalid data type for '%s'" for a value that is not text and "Failed to get data for '%s'" when
  // its data cannot be fetched; a missing section or value gives `fallback`.
  std::string ReadString(std::string_view section, std::string_view ident, std::string_view fallback);
  std::int32_t ReadInteger(std::string_view section, std::string_view ident, std::int32_t fallback);

  // Raises "Failed to create key %s" (the section) or "Failed to set data for '%s'" (the value).
  void WriteString(std::string_view section, std::string_view ident, std::string_view text);
  void WriteInteger(std::string_view section, std::string_view ident, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view ident, bool value);

 private:
  Registry& registry_;
  std::optional<RegKey> key_;
  std::uint32_t access_;
};

}  // namespace zqt
