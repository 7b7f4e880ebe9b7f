#include "placement/reg_ini_file.h"

#include <string>

#include "core/error.h"
#include "placement/integer_text.h"

namespace zqt {
namespace {

std::string Quoted(std::string_view name) {
  return "'" + std::string(name) + "'";
}

Error CreateKeyFailed(std::string_view section) {
  return Error("Failed to create key " + std::string(section));
}

}  // namespace

TRegIniFile::TRegIniFile(Registry& registry, std::string_view path, bool read_only)
    : registry_(registry), access_(read_only ? kKeyRead : kKeyAllAccess) {
  if (path.starts_with('\\')) {
    path.remove_prefix(1);
  }
  key_ = CreateRegKey(registry_, kHKeyCurrentUser, path, kKeyAllAccess);
}

std::string TRegIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view fallback) {
  if (!key_) {
    return std::string(fallback);
  }
  auto section_key = OpenRegKey(registry_, key_->Handle(), section, access_);
  if (!section_key) {
    return std::string(fallback);
  }
  auto info = registry_.QueryValueInfo(section_key->Handle(), ident);
  if (!info) {
    return std::string(fallback);
  }
  // A value without data is empty text whatever its type.
  if (info->size == 0) {
    return {};
  }
  if (info->type != kRegSz && info->type != kRegExpandSz) {
    throw Error("Invalid data type for " + Quoted(ident));
  }
  auto data = registry_.QueryValueData(section_key->Handle(), ident, info->size);
  if (!data) {
    throw Error("Failed to get data for " + Quoted(ident));
  }
  return data->substr(0, data->find('\0'));
}

std::int32_t TRegIniFile::ReadInteger(std::string_view section, std::string_view ident,
                                      std::int32_t fallback) {
  return TextToInt(ReadString(section, ident, ""), fallback);
}

void TRegIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view text) {
  if (!key_ || !CreateRegKey(registry_, key_->Handle(), section, kKeyAllAccess)) {
    throw CreateKeyFailed(section);
  }
  auto section_key = OpenRegKey(registry_, key_->Handle(), section, access_);
  if (!section_key) {
    throw CreateKeyFailed(section);
  }
  if (!registry_.SetStringValue(section_key->Handle(), ident, text)) {
    throw Error("Failed to set data for " + Quoted(ident));
  }
}

void TRegIniFile::WriteInteger(std::string_view section, std::string_view ident, std::int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

void TRegIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

}  // namespace zqt
