#include "executable_path.h"

#include <windows.h>

#include "host_error.h"

namespace zqthost {

std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw HostError(ExitCode::kFailure, "cannot find the path of this executable");
    }
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace zqthost
