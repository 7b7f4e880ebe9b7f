#pragma once
// Test scripts: one command a line, printing one result line each.

#include <istream>
#include <string>

#include "host_session.h"

namespace zqthost {

// Throws HostError (ExitCode::kUsage) naming the line of an unknown or malformed command. `cty_file` resolves
// the calls of the logs that replay commands name.
void RunScript(HostSession& session, std::istream& script, const std::string& cty_file);

}  // namespace zqthost
