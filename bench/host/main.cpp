// zqtbench.exe: the module's speed through its exports as a logging program meets it (bench_mode.h).

#include <windows.h>

#include <charconv>
#include <optional>
#include <string>

#include "bench_mode.h"
#include "box_watcher.h"
#include "host_error.h"
#include "module_loader.h"
#include "odbc_log.h"
#include "options.h"
#include "program.h"

namespace zqthost {
namespace {

constexpr std::string_view kUsage =
    R"(usage: zqtbench.exe [--dll PATH] [--db FILE | --connect ODBCSTRING] [--watch-boxes] [--rebuild ROWS]

Times the module through its exports: one QSO (_GetScore then _AddQSO) at 1k, 10k and 100k worked QSOs, the
rebuild of 10k, 100k and 1M-row logs beside bare ODBC fetches of the same rows, and the heap bytes per worked
QSO; its tables go into the log database. --rebuild times only the rebuild of a log of ROWS rows. --dll,
--db, --connect and --watch-boxes as for zqthost.exe.)";

int Bench(Console& console, std::span<const std::string_view> args) {
  SessionOptions options;
  std::size_t rebuild_rows = 0;
  ParseSessionOptions(args, options, [&rebuild_rows](std::string_view arg, const auto& value) {
    if (arg != "--rebuild")
      return false;
    const std::string rows = value();
    const auto [end, error] = std::from_chars(rows.data(), rows.data() + rows.size(), rebuild_rows);
    if (error != std::errc() || end != rows.data() + rows.size() || rebuild_rows == 0)
      throw HostError(ExitCode::kUsage, "--rebuild needs a number of rows: " + rows);
    return true;
  });
  if (options.help) {
    console.Line(kUsage);
    return 0;
  }
  std::optional<BoxWatcher> watcher;
  if (options.watch_boxes) {
    watcher.emplace(console, GetCurrentThreadId());
  }
  OdbcLog log(options.connection_strings);
  ContestModule module(ModulePath(options.dll));
  RunBench(console, log, module, rebuild_rows);
  return 0;
}

}  // namespace
}  // namespace zqthost

int main(int argc, char** argv) {
  return zqthost::RunProgram(argc, argv, zqthost::Bench);
}
