#pragma once
// This program's own executable path. The module has the same helper; a host keeps its own, since it may use
// only the module's public header.

#include <string>

namespace zqthost {

// Throws HostError (ExitCode::kFailure) when the system cannot tell.
std::string ExecutablePath();

}  // namespace zqthost
