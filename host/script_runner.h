#pragma once
// Test scripts: one command a line, printing one result line each.

#include <istream>

#include "host_session.h"

namespace zqthost {

// Throws HostError (ExitCode::kUsage) naming the line of an unknown or malformed command.
void RunScript(HostSession& session, std::istream& script);

}  // namespace zqthost
