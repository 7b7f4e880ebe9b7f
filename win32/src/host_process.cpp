#include "win32/host_process.h"

#include <windows.h>

#include "ansi_code_page.h"
#include "core/host_name.h"

namespace zqt::win32 {

std::string HostExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string HostApplicationTitle() {
  return ApplicationTitle(HostExecutablePath(), AnsiCodePage());
}

std::string HostStoreKey() {
  return DefaultStoreKey(HostExecutablePath(), AnsiCodePage());
}

}  // namespace zqt::win32
