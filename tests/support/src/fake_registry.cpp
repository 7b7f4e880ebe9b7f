#include "support/fake_registry.h"

#include <algorithm>

#include "base/ascii_case.h"

namespace zqt::test {
namespace {

constexpr std::uint32_t kQueryValue = 0x1;
constexpr std::uint32_t kSetValue = 0x2;

std::string Join(std::string_view parent, std::string_view child) {
  if (parent.empty()) {
    return std::string(child);
  }
  return child.empty() ? std::string(parent) : std::string(parent) + "\\" + std::string(child);
}

}  // namespace

std::string FakeRegistry::Fold(std::string_view text) {
  return ToLowerAscii(text);
}

void FakeRegistry::SetValue(std::string_view key, std::string_view name, std::uint32_t type,
                            std::string data) {
  std::string path;
  for (std::size_t start = 0; start <= key.size();) {
    const auto end = std::min(key.find('\\', start), key.size());
    path = Join(path, key.substr(start, end - start));
    keys_[Fold(path)];
    start = end + 1;
  }
  keys_[Fold(key)].values[Fold(name)] = Value{type, std::move(data)};
}

void FakeRegistry::SetText(std::string_view key, std::string_view name, std::string_view text) {
  SetValue(key, name, kRegSz, std::string(text) + '\0');
}

std::optional<std::string> FakeRegistry::Text(std::string_view key, std::string_view name) const {
  const auto k = keys_.find(Fold(key));
  if (k == keys_.end()) {
    return std::nullopt;
  }
  const auto v = k->second.values.find(Fold(name));
  if (v == k->second.values.end()) {
    return std::nullopt;
  }
  return v->second.data.substr(0, v->second.data.find('\0'));
}

bool FakeRegistry::KeyExists(std::string_view key) const {
  return keys_.contains(Fold(key));
}

void FakeRegistry::ClearLogs() {
  writes_.clear();
  opens_.clear();
}

std::optional<std::string> FakeRegistry::PathOf(RegHandle handle) const {
  if (handle == kHKeyCurrentUser) {
    return std::string();
  }
  const auto h = handles_.find(handle);
  return h == handles_.end() ? std::nullopt : std::optional(h->second.path);
}

std::optional<std::string> FakeRegistry::ChildPath(RegHandle parent, std::string_view sub_key) const {
  auto path = PathOf(parent);
  return path ? std::optional(Join(*path, sub_key)) : std::nullopt;
}

RegHandle FakeRegistry::NewHandle(const std::string& path, std::uint32_t access) {
  const auto handle = next_handle_++;
  handles_[handle] = Handle{path, access};
  return handle;
}

std::optional<RegHandle> FakeRegistry::CreateKey(RegHandle parent, std::string_view sub_key,
                                                 std::uint32_t access) {
  const auto path = ChildPath(parent, sub_key);
  if (!path) {
    return std::nullopt;
  }
  opens_.push_back({*path, access, true});
  if (!KeyExists(*path) && denied_.contains(Fold(*path))) {
    return std::nullopt;
  }
  keys_[Fold(*path)];
  return NewHandle(*path, access);
}

std::optional<RegHandle> FakeRegistry::OpenKey(RegHandle parent, std::string_view sub_key,
                                               std::uint32_t access) {
  const auto path = ChildPath(parent, sub_key);
  if (!path) {
    return std::nullopt;
  }
  opens_.push_back({*path, access, false});
  if (!KeyExists(*path)) {
    return std::nullopt;
  }
  return NewHandle(*path, access);
}

const FakeRegistry::Value* FakeRegistry::Find(RegHandle key, std::string_view name,
                                              std::uint32_t needed) const {
  const auto h = handles_.find(key);
  if (h == handles_.end() || (h->second.access & needed) != needed) {
    return nullptr;
  }
  const auto& values = keys_.at(Fold(h->second.path)).values;
  const auto v = values.find(Fold(name));
  return v == values.end() ? nullptr : &v->second;
}

std::optional<RegValueInfo> FakeRegistry::QueryValueInfo(RegHandle key, std::string_view name) {
  const auto* value = Find(key, name, kQueryValue);
  if (value == nullptr) {
    return std::nullopt;
  }
  return RegValueInfo{value->type, static_cast<std::uint32_t>(value->data.size())};
}

std::optional<std::string> FakeRegistry::QueryValueData(RegHandle key, std::string_view name,
                                                        std::uint32_t size) {
  const auto* value = Find(key, name, kQueryValue);
  if (value == nullptr || fail_fetch_.contains(std::string(name)) || value->data.size() > size) {
    return std::nullopt;
  }
  return value->data;
}

bool FakeRegistry::SetStringValue(RegHandle key, std::string_view name, std::string_view text) {
  const auto h = handles_.find(key);
  if (h == handles_.end() || (h->second.access & kSetValue) == 0 || fail_set_.contains(std::string(name))) {
    return false;
  }
  keys_[Fold(h->second.path)].values[Fold(name)] = Value{kRegSz, std::string(text) + '\0'};
  writes_.push_back({h->second.path, std::string(name), std::string(text)});
  return true;
}

void FakeRegistry::CloseKey(RegHandle key) {
  if (handles_.erase(key) == 0) {
    ++bad_closes_;
  }
}

}  // namespace zqt::test
