#pragma once
// Named values kept in the window's section beside its placement.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "placement/reg_ini_file.h"

namespace zqt {

// A dynamically typed value: empty, an integer or text.
using StoredVariant = std::variant<std::monostate, std::int32_t, std::string>;

// The value as text: empty text for an empty value, signed decimal for an integer.
std::string VariantToText(const StoredVariant& value);

class TStoredValue {
 public:
  TStoredValue(std::string name, StoredVariant value) : name_(std::move(name)), value_(std::move(value)) {}

  const std::string& Name() const { return name_; }
  const StoredVariant& Value() const { return value_; }
  void SetValue(StoredVariant value) { value_ = std::move(value); }

  // Writes the value's text under its name.
  void WriteToStore(TRegIniFile& store, std::string_view section) const;
  // Reads the text under its name, the current value's text as default, and keeps it as text.
  void ReadFromStore(TRegIniFile& store, std::string_view section);

 private:
  std::string name_;
  StoredVariant value_;
};

class TStoredValues {
 public:
  // Raises "String list does not allow duplicates" when an item has the name already, ignoring case.
  TStoredValue& Add(std::string name, StoredVariant value);
  // The item of that name, ignoring case; null when there is none.
  TStoredValue* Find(std::string_view name);

  // Every item in the order added.
  void WriteToStore(TRegIniFile& store, std::string_view section) const;
  void ReadFromStore(TRegIniFile& store, std::string_view section);

 private:
  // A deque keeps the references Add hands out valid.
  std::deque<TStoredValue> items_;
};

}  // namespace zqt
