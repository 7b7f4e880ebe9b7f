#pragma once
// Test scripts: one command a line (a blank or tab after the command word; '#' starts a comment line), each
// printing its result line "<command>: ...", on the host's session and what the tests add to it.

#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "console.h"
#include "creation_hook.h"
#include "host_session.h"
#include "module_loader.h"
#include "odbc_log.h"
#include "pump_point_calls.h"
#include "qso_line.h"

namespace zqthost {

// What the commands work on.
struct Driver {
  Console& console;
  OdbcLog& log;
  ContestModule& module;
  HostSession& session;
  std::string table;  // the host's log table, which inserts go to whatever the record names
  Qso qso{};          // the QSO the next calls pass
  std::string window_class{};
  std::unique_ptr<CreationHook> creation_hook{};
  std::unique_ptr<PumpPointCalls> pump_points{};
};

// Throws HostError (ExitCode::kUsage) naming the line of an unknown or malformed command.
void RunScript(Driver& driver, std::istream& script);

// The script commands' names, for the driver's usage text.
std::string ScriptCommandNames();

}  // namespace zqthost
