#include "support/fake_section.h"

#include "core/ascii_case.h"
#include "placement/value_format.h"

namespace zqt::test {

std::string FakeSection::Fold(std::string_view text) {
  return ToLowerAscii(text);
}

void FakeSection::SetValue(std::string_view name, std::uint32_t type, std::string data) {
  exists_ = true;
  values_[Fold(name)] = Value{std::string(name), type, std::move(data)};
}

void FakeSection::SetText(std::string_view name, std::string_view text) {
  SetValue(name, kRegSz, std::string(text) + '\0');
}

std::optional<std::string> FakeSection::Dump(std::string_view name) const {
  const auto v = values_.find(Fold(name));
  if (v == values_.end()) {
    return std::nullopt;
  }
  const Value& value = v->second;
  if (value.type == kRegDword && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) {
      number = number << 8 | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
    }
    return "DWORD:" + std::to_string(number);
  }
  return "SZ:" + value.data.substr(0, value.data.find('\0'));
}

void FakeSection::Plant(std::string_view name, std::string_view dumped) {
  if (dumped.starts_with("DWORD:")) {
    const auto number = static_cast<std::uint32_t>(TextToInt(dumped.substr(6), 0));
    std::string data;
    for (int i = 0; i < 4; ++i) {
      data += static_cast<char>(number >> (8 * i) & 0xFF);
    }
    SetValue(name, kRegDword, data);
  } else {
    SetText(name, dumped.substr(dumped.find(':') + 1));
  }
}

std::map<std::string, std::string> FakeSection::DumpAll() const {
  std::map<std::string, std::string> all;
  for (const auto& [folded, value] : values_) {
    all[value.name] = *Dump(folded);
  }
  return all;
}

void FakeSection::ClearLogs() {
  writes_.clear();
  opens_.clear();
}

void FakeSection::Open(bool read_only) {
  misuses_ += open_ ? 1 : 0;
  open_ = true;
  opens_.push_back(read_only);
}

void FakeSection::Close() {
  misuses_ += open_ ? 0 : 1;
  open_ = false;
}

std::optional<SectionValue> FakeSection::Read(std::string_view name) {
  misuses_ += open_ ? 0 : 1;
  const auto v = values_.find(Fold(name));
  if (v == values_.end()) {
    return std::nullopt;
  }
  const std::string& data = v->second.data;
  SectionValue value{v->second.type, static_cast<std::uint32_t>(data.size()), data};
  if (fail_fetch_.contains(Fold(name))) {
    value.data.reset();
  }
  return value;
}

WriteResult FakeSection::Write(std::string_view name, std::string_view text) {
  misuses_ += open_ && !opens_.back() ? 0 : 1;
  if (!exists_ && !creatable_) {
    return WriteResult::kSectionNotCreated;
  }
  exists_ = true;
  if (fail_set_.contains(Fold(name))) {
    return WriteResult::kValueNotSet;
  }
  SetText(name, text);
  writes_.push_back({std::string(name), std::string(text)});
  return WriteResult::kWritten;
}

}  // namespace zqt::test
