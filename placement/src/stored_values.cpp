#include "placement/stored_values.h"

#include <algorithm>
#include <type_traits>

#include "base/ascii_case.h"
#include "core/error.h"

namespace zqt {
std::string VariantToText(const StoredVariant& value) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return {};
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          return std::to_string(v);
        } else {
          return v;
        }
      },
      value);
}

void TStoredValue::WriteToStore(TRegIniFile& store, std::string_view section) const {
  store.WriteString(section, name_, VariantToText(value_));
}

void TStoredValue::ReadFromStore(TRegIniFile& store, std::string_view section) {
  value_ = store.ReadString(section, name_, VariantToText(value_));
}

TStoredValue& TStoredValues::Add(std::string name, StoredVariant value) {
  if (Find(name) != nullptr) {
    throw Error("String list does not allow duplicates");
  }
  return items_.emplace_back(std::move(name), std::move(value));
}

TStoredValue* TStoredValues::Find(std::string_view name) {
  auto it = std::ranges::find_if(
      items_, [name](const TStoredValue& item) { return EqualsIgnoringAsciiCase(item.Name(), name); });
  return it == items_.end() ? nullptr : &*it;
}

void TStoredValues::WriteToStore(TRegIniFile& store, std::string_view section) const {
  for (const auto& item : items_) {
    item.WriteToStore(store, section);
  }
}

void TStoredValues::ReadFromStore(TRegIniFile& store, std::string_view section) {
  for (auto& item : items_) {
    item.ReadFromStore(store, section);
  }
}

}  // namespace zqt
