// zqthost.exe: the reference host. Keeps a log through ODBC, loads the contest module by path, offers it
// QSOs from a file, standard input, a contest log or a test script, and pumps its window's messages like a
// logging program.

#include <windows.h>

#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench_mode.h"
#include "box_watcher.h"
#include "console.h"
#include "default_flow.h"
#include "executable_path.h"
#include "host_error.h"
#include "host_session.h"
#include "lifecycle_mode.h"
#include "log_file_input.h"
#include "module_loader.h"
#include "odbc_log.h"
#include "options.h"
#include "script_runner.h"

namespace {

using namespace zqthost;

std::string DefaultModulePath() {
  const std::string exe = ExecutablePath();
  return exe.substr(0, exe.size() - FileNameOf(exe).size()) + "ZQTRTTYContest.dll";
}

int Host(Console& console, const Options& options) {
  // "-" reads the script from standard input, so a test can drive the host step by step.
  std::ifstream script_file;
  if (!options.script.empty() && options.script != "-") {
    script_file.open(options.script, std::ios::binary);
    if (!script_file) {
      throw HostError(ExitCode::kFailure, "cannot read " + options.script);
    }
  }
  // Read first, so a log or country file that cannot be read fails before the database and the module open.
  std::optional<LogFileInput> log_input;
  if (!options.log_file.empty()) {
    log_input = ReadLogFileInput(options.log_file, options.cty_file, options.band);
  }
  // Declared first, so it still answers message boxes while everything below is torn down.
  std::optional<BoxWatcher> watcher;
  if (options.watch_boxes) {
    watcher.emplace(console, GetCurrentThreadId());
  }
  OdbcLog log(options.connection_string);
  if (options.bench) {
    ContestModule module(options.dll.empty() ? DefaultModulePath() : options.dll);
    RunBench(console, log, module);
    return 0;
  }
  if (options.lifecycle) {
    ContestModule module(options.dll.empty() ? DefaultModulePath() : options.dll);
    RunLifecycle(console, log, module);
    return 0;
  }
  log.PrepareTable(options.table, options.fresh);
  ContestModule module(options.dll.empty() ? DefaultModulePath() : options.dll);
  HostSession session(console, options, log, module);
  if (!options.script.empty()) {
    RunScript(session, script_file.is_open() ? script_file : std::cin, options.cty_file);
  } else {
    RunDefaultFlow(session, console, options, log_input);
  }
  session.Finish();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Console console;
  try {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const Options options = ParseOptions(args);
    if (options.help) {
      console.Line(UsageText());
      return 0;
    }
    return Host(console, options);
  } catch (const HostError& error) {
    console.Line(std::string("error: ") + error.what());
    return static_cast<int>(error.code());
  } catch (const std::exception& error) {
    console.Line(std::string("error: ") + error.what());
    return static_cast<int>(ExitCode::kFailure);
  }
}
