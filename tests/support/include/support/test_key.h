#pragma once
// The tests' own registry key, HKCU\Software\<test executable's name>, removed before and after each test.

#include <windows.h>

#include <string>

#include "win32/host_process.h"

namespace zqt::test {

class TestKey {
 public:
  TestKey() : path_(win32::HostStoreKey()) { Remove(); }
  ~TestKey() { Remove(); }
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;

  const std::string& Path() const { return path_; }

 private:
  void Remove() const { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

  std::string path_;
};

}  // namespace zqt::test
