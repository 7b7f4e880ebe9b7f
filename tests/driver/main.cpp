// zqtdriver.exe: the test driver. The reference host's session with the instruments only tests use: test
// scripts that call the exports one by one, look at and meddle with the module window, the registry and the
// window creation, and reload the module; and the lifecycle mode that counts what the process holds.

#include <windows.h>

#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "box_watcher.h"
#include "host_error.h"
#include "host_session.h"
#include "lifecycle_mode.h"
#include "module_loader.h"
#include "odbc_log.h"
#include "options.h"
#include "program.h"
#include "script_runner.h"

namespace zqthost {
namespace {

struct DriverOptions {
  SessionOptions session;
  std::string script;  // "-" reads standard input
  bool lifecycle = false;
};

DriverOptions ParseDriverOptions(std::span<const std::string_view> args) {
  DriverOptions options;
  options.session.caption_prefix = "zqtdriver";
  ParseSessionOptions(args, options.session, [&options](std::string_view arg, const auto& value) {
    if (arg == "--script") {
      options.script = value();
    } else if (arg == "--lifecycle") {
      options.lifecycle = true;
    } else {
      return false;
    }
    return true;
  });
  if (!options.session.help && options.script.empty() == !options.lifecycle) {
    throw HostError(ExitCode::kUsage, "give either --script FILE or --lifecycle");
  }
  return options;
}

constexpr std::string_view kUsage =
    R"(usage: zqtdriver.exe [zqthost.exe's --dll, --db, --connect, --table, --caption-prefix, --fresh,
                     --watch-boxes] --script FILE | - | --lifecycle
)";

int Drive(Console& console, std::span<const std::string_view> args) {
  const DriverOptions options = ParseDriverOptions(args);
  if (options.session.help) {
    console.Line(std::string(kUsage) + "Script commands, one a line: " + ScriptCommandNames());
    return 0;
  }
  std::ifstream script_file;
  if (!options.script.empty() && options.script != "-") {
    script_file.open(options.script, std::ios::binary);
    if (!script_file) {
      throw HostError(ExitCode::kFailure, "cannot read " + options.script);
    }
  }
  // Declared first, so it still answers message boxes while everything below is torn down.
  std::optional<BoxWatcher> watcher;
  if (options.session.watch_boxes) {
    watcher.emplace(console, GetCurrentThreadId());
  }
  OdbcLog log(options.session.connection_strings);
  if (options.lifecycle) {
    ContestModule module(ModulePath(options.session.dll));
    RunLifecycle(console, log, module);
    return 0;
  }
  log.PrepareTable(options.session.table, options.session.fresh);
  ContestModule module(ModulePath(options.session.dll));
  HostSession session(console, options.session, log, module);
  Driver driver{console, log, module, session, options.session.table};
  RunScript(driver, script_file.is_open() ? script_file : std::cin);
  session.Finish();
  return 0;
}

}  // namespace
}  // namespace zqthost

int main(int argc, char** argv) {
  return zqthost::RunProgram(argc, argv, zqthost::Drive);
}
