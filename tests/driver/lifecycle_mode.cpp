#include "lifecycle_mode.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>

#include "core/boundary_records.h"
#include "generated_qso.h"
#include "host_error.h"
#include "message_loop.h"
#include "module_window.h"
#include "platform_name.h"
#include "record_builder.h"
#include "resource_counts.h"
#include "window_state.h"

namespace zqthost {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCycles = 1000;
constexpr std::array<int, 3> kCycleCheckpoints = {10, 100, 1000};
constexpr long long kCycleLogQsos = 20;
constexpr long long kSessionQsos = 100'000;
constexpr long long kRecalcEvery = 1'000;
// Messages run after every tenth QSO, as for an operator logging a burst: each pump rewrites the report,
// which costs Wine's EDIT control some 3 ms, and 100,000 of them would take the run from two minutes to ten.
constexpr long long kPumpEvery = 10;
constexpr long long kCheckpointEvery = 10'000;
constexpr auto kGoneTimeout = std::chrono::seconds(10);
constexpr char kCycleTable[] = "ZqtLifecycleCycles";
constexpr char kSessionTable[] = "ZqtLifecycleSession";

std::string Row(const std::string& label, const ResourceCounts& counts) {
  char text[160];
  std::snprintf(text, sizeof text, "%12s | %11lld | %7lld | %7d | %11d | %14d", label.c_str(),
                counts.resident_kb, static_cast<long long>(counts.heap_bytes / 1024), counts.windows,
                counts.gdi_objects, counts.kernel_handles);
  return text;
}

std::string Header(const char* label) {
  char text[160];
  std::snprintf(text, sizeof text, "%12s | resident KB | heap KB | windows | GDI objects | kernel handles",
                label);
  return text;
}

std::string Seconds(Clock::duration duration) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", std::chrono::duration<double>(duration).count());
  return text;
}

HWND RunWindow(const ModuleExports& exports, TContestData& record) {
  const auto window = static_cast<HWND>(exports.run(0, &record));
  if (window == nullptr || !IsWindow(window)) {
    throw HostError(ExitCode::kModule, "lifecycle: _Run gave no window");
  }
  return window;
}

void ReleaseAndWait(ContestModule& module, HWND window) {
  module.exports().release();
  if (!PumpUntilGone(window, kGoneTimeout)) {
    module.KeepLoaded();
    throw HostError(ExitCode::kWindowStuck, "lifecycle: the module window still exists 10 s after _Release");
  }
}

void RequireReportedQsos(HWND window, long long expected, const std::string& when) {
  const long long shown = ReportedQsoCount(window);
  if (shown != expected) {
    throw HostError(ExitCode::kFailure, "lifecycle: " + when + " the report shows " + std::to_string(shown) +
                                            " QSOs, not " + std::to_string(expected));
  }
}

void Cycles(Console& console, OdbcLog& log, ContestModule& module, TContestData& record) {
  log.PrepareTable(kCycleTable, true);
  for (long long i = 0; i < kCycleLogQsos; ++i) {
    log.Insert(kCycleTable, GeneratedQso(static_cast<std::size_t>(i)));
  }
  zqt::WriteText(record.LogTable, kCycleTable);
  console.Line("_Run/_Release cycles, each: _Run shows the window, which rebuilds from a " +
               std::to_string(kCycleLogQsos) +
               "-QSO log; _Release; messages pumped until the window is gone");
  console.Line(Header("after cycle"));
  console.Line(Row("0", CountResources()));
  const Clock::time_point start = Clock::now();
  for (int cycle = 1; cycle <= kCycles; ++cycle) {
    const HWND window = RunWindow(module.exports(), record);
    RequireReportedQsos(window, kCycleLogQsos, "in cycle " + std::to_string(cycle));
    ReleaseAndWait(module, window);
    if (std::find(kCycleCheckpoints.begin(), kCycleCheckpoints.end(), cycle) != kCycleCheckpoints.end()) {
      console.Line(Row(std::to_string(cycle), CountResources()));
    }
  }
  console.Line(std::to_string(kCycles) + " cycles in " + Seconds(Clock::now() - start));
  log.Execute(std::string("DROP TABLE ") + kCycleTable);
}

void Session(Console& console, OdbcLog& log, ContestModule& module, TContestData& record) {
  const ModuleExports& exports = module.exports();
  log.PrepareTable(kSessionTable, true);
  zqt::WriteText(record.LogTable, kSessionTable);
  const HWND window = RunWindow(exports, record);
  DrainMessages();
  const HWND button = FindDescendant(window, "button");
  console.Line("A session of " + std::to_string(kSessionQsos) +
               " QSOs, each: _GetScore, the row inserted into the log through ODBC, _AddQSO; messages pumped "
               "after every " +
               std::to_string(kPumpEvery) + ", \"Recalc Statistic\" clicked every " +
               std::to_string(kRecalcEvery));
  console.Line(Header("after QSOs"));
  console.Line(Row("0", CountResources()));
  const Clock::time_point start = Clock::now();
  for (long long n = 1; n <= kSessionQsos; ++n) {
    const Qso qso = GeneratedQso(static_cast<std::size_t>(n - 1));
    SetQso(record, qso);
    const int score = exports.get_score(&record);
    log.Insert(kSessionTable, qso);
    const int added = exports.add_qso(&record);
    if (n % kPumpEvery == 0) {
      DrainMessages();
    }
    if (score != 1 || added != 1) {
      throw HostError(ExitCode::kFailure, "lifecycle: the new QSO " + std::to_string(n) + " (" + qso.call +
                                              ") got _GetScore " + std::to_string(score) + " and _AddQSO " +
                                              std::to_string(added) + ", not 1 and 1");
    }
    if (n % kRecalcEvery == 0) {
      SendMessageA(button, BM_CLICK, 0, 0);
      DrainMessages();
    }
    if (n % kCheckpointEvery == 0) {
      RequireReportedQsos(window, n, "after " + std::to_string(n) + " QSOs");
      console.Line(Row(std::to_string(n), CountResources()));
    }
  }
  const Clock::duration took = Clock::now() - start;
  ReleaseAndWait(module, window);
  console.Line(Row("released", CountResources()));
  console.Line(std::to_string(kSessionQsos) + " QSOs in " + Seconds(took));
  log.Execute(std::string("DROP TABLE ") + kSessionTable);
}

}  // namespace

void RunLifecycle(Console& console, OdbcLog& log, ContestModule& module) {
  TContestData record{};
  record.Connection = ConnectionField(log.connection());
  zqt::WriteText(record.CaptionPrefix, "zqtdriver lifecycle");
  console.Line("zqtdriver --lifecycle: ZQTRTTYContest.dll through its exports, " + PlatformName());
  console.Line("Counted: " + CheckResourceCounters());
  console.Line("");
  Cycles(console, log, module, record);
  console.Line("");
  Session(console, log, module, record);
}

}  // namespace zqthost
