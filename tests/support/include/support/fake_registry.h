#pragma once
// An in-memory registry below HKEY_CURRENT_USER that checks handle access like the real one and records every
// key opening and every write in order.

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "placement/registry.h"

namespace zqt::test {

struct RecordedWrite {
  std::string key;
  std::string name;
  std::string text;
  bool operator==(const RecordedWrite&) const = default;
  friend void PrintTo(const RecordedWrite& w, std::ostream* os) {
    *os << w.key << " " << w.name << "=" << w.text;
  }
};

struct RecordedOpen {
  std::string key;
  std::uint32_t access = 0;
  bool create = false;
  bool operator==(const RecordedOpen&) const = default;
  friend void PrintTo(const RecordedOpen& o, std::ostream* os) {
    *os << (o.create ? "create " : "open ") << o.key << " " << std::hex << o.access << std::dec;
  }
};

class FakeRegistry : public Registry {
 public:
  // Paths are relative to HKEY_CURRENT_USER, such as "Software\\Logger\\TfmMainForm"; letter case is ignored.
  void SetValue(std::string_view key, std::string_view name, std::uint32_t type, std::string data);
  void SetText(std::string_view key, std::string_view name, std::string_view text);
  // A string value's text up to its zero byte; empty when the value is absent.
  std::optional<std::string> Text(std::string_view key, std::string_view name) const;
  bool KeyExists(std::string_view key) const;

  void DenyCreate(std::string_view key) { denied_.insert(Fold(key)); }
  void FailFetch(std::string_view name) { fail_fetch_.insert(std::string(name)); }
  void FailSet(std::string_view name) { fail_set_.insert(std::string(name)); }

  const std::vector<RecordedWrite>& Writes() const { return writes_; }
  const std::vector<RecordedOpen>& Opens() const { return opens_; }
  void ClearLogs();
  std::size_t OpenHandles() const { return handles_.size(); }
  int BadCloses() const { return bad_closes_; }

  std::optional<RegHandle> CreateKey(RegHandle parent, std::string_view sub_key,
                                     std::uint32_t access) override;
  std::optional<RegHandle> OpenKey(RegHandle parent, std::string_view sub_key, std::uint32_t access) override;
  std::optional<RegValueInfo> QueryValueInfo(RegHandle key, std::string_view name) override;
  std::optional<std::string> QueryValueData(RegHandle key, std::string_view name,
                                            std::uint32_t size) override;
  bool SetStringValue(RegHandle key, std::string_view name, std::string_view text) override;
  void CloseKey(RegHandle key) override;

 private:
  struct Value {
    std::uint32_t type = 0;
    std::string data;
  };
  struct Key {
    std::map<std::string, Value> values;  // by folded name
  };
  struct Handle {
    std::string path;
    std::uint32_t access = 0;
  };

  static std::string Fold(std::string_view text);
  std::optional<std::string> PathOf(RegHandle handle) const;
  std::optional<std::string> ChildPath(RegHandle parent, std::string_view sub_key) const;
  const Value* Find(RegHandle key, std::string_view name, std::uint32_t needed) const;
  RegHandle NewHandle(const std::string& path, std::uint32_t access);

  std::map<std::string, Key> keys_{{"", Key{}}};  // by folded path; "" is the root
  std::map<RegHandle, Handle> handles_;
  RegHandle next_handle_ = 0x1000;
  std::set<std::string> denied_;
  std::set<std::string> fail_fetch_;
  std::set<std::string> fail_set_;
  std::vector<RecordedWrite> writes_;
  std::vector<RecordedOpen> opens_;
  int bad_closes_ = 0;
};

}  // namespace zqt::test
