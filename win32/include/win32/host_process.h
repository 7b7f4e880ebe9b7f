#pragma once
// Facts about the process that loaded the module.

#include <string>

namespace zqt::win32 {

// The path of the host's executable (module handle 0), not the module's own file.
std::string HostExecutablePath();

}  // namespace zqt::win32
