// zqthost.exe: the reference host. Keeps a log through ODBC, loads the contest module by path, offers it
// QSOs from a file, standard input or a contest log, and pumps its window's messages like a logging program.

#include <windows.h>

#include <optional>

#include "box_watcher.h"
#include "default_flow.h"
#include "host_session.h"
#include "log_file_input.h"
#include "module_loader.h"
#include "odbc_log.h"
#include "options.h"
#include "program.h"

namespace zqthost {
namespace {

int Host(Console& console, std::span<const std::string_view> args) {
  const Options options = ParseOptions(args);
  if (options.session.help) {
    console.Line(UsageText());
    return 0;
  }
  // Read first, so a log or country file that cannot be read fails before the database and the module open.
  std::optional<LogFileInput> log_input;
  if (!options.log_file.empty()) {
    log_input = ReadLogFileInput(options.log_file, options.cty_file, options.band);
  }
  // Declared first, so it still answers message boxes while everything below is torn down.
  std::optional<BoxWatcher> watcher;
  if (options.session.watch_boxes) {
    watcher.emplace(console, GetCurrentThreadId());
  }
  OdbcLog log(options.session.connection_strings);
  log.PrepareTable(options.session.table, options.session.fresh);
  ContestModule module(ModulePath(options.session.dll));
  HostSession session(console, options.session, log, module);
  RunDefaultFlow(session, console, options, log_input);
  session.Finish();
  return 0;
}

}  // namespace
}  // namespace zqthost

int main(int argc, char** argv) {
  return zqthost::RunProgram(argc, argv, zqthost::Host);
}
