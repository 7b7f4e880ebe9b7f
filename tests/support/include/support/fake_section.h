#pragma once
// An in-memory section of the user's settings that records every opening and every write in order, and counts
// reads and writes made while it is not open.

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "placement/settings_section.h"

namespace zqt::test {

struct RecordedWrite {
  std::string name;
  std::string text;
  bool operator==(const RecordedWrite&) const = default;
  friend void PrintTo(const RecordedWrite& w, std::ostream* os) { *os << w.name << "=" << w.text; }
};

class FakeSection : public SettingsSection {
 public:
  // Names are compared ignoring letter case. Planting a value creates the section.
  void SetValue(std::string_view name, std::uint32_t type, std::string data);
  void SetText(std::string_view name, std::string_view text);
  // "SZ:<text>" or "DWORD:<number>", as the host's reg-dump prints a value; "SZ:..." and "DWORD:..." plant
  // them.
  std::optional<std::string> Dump(std::string_view name) const;
  void Plant(std::string_view name, std::string_view dumped);
  std::map<std::string, std::string> DumpAll() const;

  // The section is missing and cannot be created.
  void DenyCreate() { creatable_ = false; }
  void FailFetch(std::string_view name) { fail_fetch_.insert(Fold(name)); }
  void FailSet(std::string_view name) { fail_set_.insert(Fold(name)); }

  const std::vector<RecordedWrite>& Writes() const { return writes_; }
  // Whether each opening was read-only.
  const std::vector<bool>& Opens() const { return opens_; }
  void ClearLogs();
  bool IsOpen() const { return open_; }
  int Misuses() const { return misuses_; }

  void Open(bool read_only) override;
  void Close() override;
  std::optional<SectionValue> Read(std::string_view name) override;
  WriteResult Write(std::string_view name, std::string_view text) override;

 private:
  struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
  };
  static std::string Fold(std::string_view text);

  bool exists_ = false;
  bool creatable_ = true;
  std::map<std::string, Value> values_;  // by folded name
  std::set<std::string> fail_fetch_;
  std::set<std::string> fail_set_;
  std::vector<RecordedWrite> writes_;
  std::vector<bool> opens_;
  bool open_ = false;
  int misuses_ = 0;
};

}  // namespace zqt::test
