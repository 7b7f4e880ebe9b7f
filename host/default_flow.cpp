#include "default_flow.h"

#include <fstream>
#include <iostream>

#include "host_error.h"
#include "message_loop.h"
#include "module_window.h"
#include "multiplier_watch.h"

namespace zqthost {
namespace {

void LogQsos(HostSession& session, std::istream& input) {
  std::string line;
  for (int number = 1; std::getline(input, line); ++number) {
    const std::string_view text = StripCr(line);
    if (IsSkippedLine(text)) {
      continue;
    }
    Qso qso;
    try {
      qso = ParseQsoLine(text);
    } catch (const HostError& error) {
      throw HostError(error.code(), "QSO line " + std::to_string(number) + ": " + error.what());
    }
    session.Log(std::move(qso));
  }
}

// Prints what the reader found wrong and how many QSOs it took, before the module sees any of them.
void ShowLogInput(Console& console, const LogFileInput& input, const Options& options) {
  for (const std::string& problem : input.problems) {
    console.Line("problem: " + problem);
  }
  std::string summary =
      "read: " + std::to_string(input.read) + " QSOs, " + std::to_string(input.problems.size()) + " problems";
  if (!options.band.empty()) {
    summary += ", " + std::to_string(input.qsos.size()) + " on " + options.band;
  }
  console.Line(summary);
}

// With verbose_mults the module's report is read after every counted QSO (which makes the window write it at
// once), so that the module itself tells which multipliers the QSO brought.
void LogFileQsos(HostSession& session, Console& console, const LogFileInput& input, bool verbose_mults) {
  MultiplierWatch watch(verbose_mults ? ReadReport(session.window()) : std::nullopt);
  for (const Qso& qso : input.qsos) {
    if (session.Log(qso).add_qso == 1 && verbose_mults) {
      for (const std::string& line : watch.Count(qso, ReadReport(session.window()))) {
        console.Line(line);
      }
    }
  }
}

}  // namespace

void RunDefaultFlow(HostSession& session, Console& console, const Options& options,
                    const std::optional<LogFileInput>& log_input) {
  if (log_input) {
    ShowLogInput(console, *log_input, options);
  }
  std::ifstream file;
  if (!options.qso_file.empty() && options.qso_file != "-") {
    file.open(options.qso_file, std::ios::binary);
    if (!file) {
      throw HostError(ExitCode::kFailure, "cannot read " + options.qso_file);
    }
  }
  TPluginInfo info{};
  session.Info(info);
  session.Run();
  DrainMessages();
  if (log_input) {
    LogFileQsos(session, console, *log_input, options.verbose_mults);
  } else if (file.is_open()) {
    LogQsos(session, file);
  } else if (options.qso_file == "-") {
    LogQsos(session, std::cin);
  }
  if (options.recalc_at_rows > 0) {
    const long long rows = session.WaitRows(options.recalc_at_rows);
    session.Recalc();
    console.Line("recalc: " + std::to_string(rows) + " rows");
  }
  if (options.report) {
    session.Report();
  }
  if (!options.screenshot.empty()) {
    session.Screenshot(options.screenshot);
  }
  if (options.stay) {
    session.Stay();
  }
}

}  // namespace zqthost
