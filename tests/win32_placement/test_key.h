#pragma once
// The tests' own registry key, HKCU\Software\<test executable's name>, removed before and after each test.

#include <windows.h>

#include <string>

#include "core/placement/store_names.h"

namespace zqt::win32::testing {

inline std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path;
}

class TestKey {
 public:
  TestKey() : path_(DefaultStoreKey(ExecutablePath())) { Remove(); }
  ~TestKey() { Remove(); }
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;

  const std::string& Path() const { return path_; }

 private:
  void Remove() const { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

  std::string path_;
};

}  // namespace zqt::win32::testing
