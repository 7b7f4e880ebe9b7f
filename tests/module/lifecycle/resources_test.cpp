// What the host process holds while the module lives in it for long: zqtdriver --lifecycle runs 1000
// _Run/_Release cycles and a session of 100,000 logged QSOs through the real DLL, and prints its counts at
// checkpoints. After the first cycles no count of windows, GDI objects or kernel handles may rise, and memory
// may grow only by what the tally holds. The figures and the verdict go to a file that ./zqt test prints.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/host_runner.h"

namespace zqt::test {
namespace {

// Allocator and Wine noise over a whole run is well below this; a statement left open per rebuild (its bound
// block alone is 256 rows of seven 256-byte texts, 448 KB) or a window left per cycle is far above it.
constexpr long long kSlackKb = 8 * 1024;
// The tally keeps about 20 heap bytes a worked QSO; the bound allows three times that.
constexpr long long kTallyBytesPerQso = 64;

struct Counts {
  long long resident_kb = 0, heap_kb = 0, windows = 0, gdi_objects = 0, kernel_handles = 0;
};
using Table = std::map<std::string, Counts>;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
    fields.push_back(line.substr(start, bar - start));
  fields.push_back(line.substr(start));
  for (std::string& field : fields) {
    field.erase(0, field.find_first_not_of(' '));
    field.erase(field.find_last_not_of(' ') + 1);
  }
  return fields;
}

// The rows under the table header whose first column is `label`, by their first column.
Table TableOf(const HostRun& run, std::string_view label) {
  Table table;
  bool inside = false;
  for (const std::string& line : run.Lines()) {
    const std::vector<std::string> fields = Fields(line);
    if (fields.size() != 6) {
      inside = false;
      continue;
    }
    if (fields[0] == label) {
      inside = true;
      continue;
    }
    if (inside) {
      table[fields[0]] = {std::atoll(fields[1].c_str()), std::atoll(fields[2].c_str()),
                          std::atoll(fields[3].c_str()), std::atoll(fields[4].c_str()),
                          std::atoll(fields[5].c_str())};
    }
  }
  return table;
}

class Verdict {
 public:
  // Windows, GDI objects and kernel handles at `row` may not exceed those at `base`.
  void NoRise(const Table& table, const std::string& what, const std::string& base, const std::string& row) {
    const Counts& b = Row(table, what, base);
    const Counts& r = Row(table, what, row);
    Compare(what + " windows", base, row, b.windows, r.windows);
    Compare(what + " GDI objects", base, row, b.gdi_objects, r.gdi_objects);
    Compare(what + " kernel handles", base, row, b.kernel_handles, r.kernel_handles);
  }

  // Resident memory may grow by at most bound_kb from `base` to `row`; returns the growth.
  long long Growth(const Table& table, const std::string& what, const std::string& base,
                   const std::string& row, long long bound_kb) {
    const long long grown = Row(table, what, row).resident_kb - Row(table, what, base).resident_kb;
    if (grown > bound_kb) {
      problems_.push_back(what + " resident memory grew by " + std::to_string(grown) + " KB from " + base +
                          " to " + row + " (bound " + std::to_string(bound_kb) + " KB)");
    }
    return grown;
  }

  const Counts& Row(const Table& table, const std::string& what, const std::string& row) {
    static const Counts kMissing{};
    const auto found = table.find(row);
    if (found == table.end()) {
      problems_.push_back(what + " has no row " + row);
      return kMissing;
    }
    return found->second;
  }

  void Compare(const std::string& what, const std::string& base, const std::string& row, long long before,
               long long after) {
    if (after > before) {
      problems_.push_back(what + " rose from " + std::to_string(before) + " at " + base + " to " +
                          std::to_string(after) + " at " + row);
    }
  }

  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  std::vector<std::string> problems_;
};

TEST(ResourcesStayFlat, OverRunReleaseCyclesAndALongSession) {
  HostFixture host;
  // Options the host may set on its own connection: no sync after every insert (the 100,000 inserts then take
  // seconds, not many minutes), and rows stepped through one by one (without it the driver reads a whole
  // result into its own memory first, which then holds some 0.5 KB a row of the largest log read).
  const HostRun run = host.RunMode(
      {"--connect", "DRIVER=SQLite3;Database=" + host.DriverLogPath() + ";SyncPragma=OFF;StepAPI=1",
       "--lifecycle"});

  Verdict verdict;
  const Table cycles = TableOf(run, "after cycle");
  const Table session = TableOf(run, "after QSOs");
  long long cycles_growth = 0;
  long long session_growth = 0;
  const long long session_bound = kSlackKb + 90'000 * kTallyBytesPerQso / 1024;
  if (run.exit_code == 0) {
    for (const char* row : {"100", "1000"})
      verdict.NoRise(cycles, "cycles:", "10", row);
    cycles_growth = verdict.Growth(cycles, "cycles:", "10", "1000", kSlackKb);
    for (int qsos = 20'000; qsos <= 100'000; qsos += 10'000)
      verdict.NoRise(session, "session:", "10000", std::to_string(qsos));
    session_growth = verdict.Growth(session, "session:", "10000", "100000", session_bound);
    // Once its window is gone the module holds no window, and nothing more than while it ran. (Wine keeps a
    // few device contexts of its own cached after the session's painting, so the GDI count does not go back
    // to that after the cycles.)
    verdict.NoRise(session, "session:", "100000", "released");
    verdict.Compare("windows", "cycle 1000", "released", verdict.Row(cycles, "cycles:", "1000").windows,
                    verdict.Row(session, "session:", "released").windows);
  }

  std::string summary;
  if (run.exit_code != 0) {
    summary =
        "lifecycle: FAILED: zqtdriver --lifecycle ended with exit code " + std::to_string(run.exit_code);
  } else if (!verdict.Problems().empty()) {
    summary = "lifecycle: FAILED: " + verdict.Problems().front();
  } else {
    summary =
        "lifecycle: 1000 _Run/_Release cycles and a 100000-QSO session: windows, GDI objects and kernel "
        "handles flat; resident memory +" +
        std::to_string(cycles_growth) + " KB over cycles 10 to 1000 (bound " + std::to_string(kSlackKb) +
        "), +" + std::to_string(session_growth) + " KB over QSOs 10000 to 100000 (bound " +
        std::to_string(session_bound) + ")";
  }
  std::ofstream(DosPath(ZQT_LIFECYCLE_FIGURES), std::ios::binary) << run.output << summary << "\n";

  ASSERT_EQ(run.exit_code, 0) << run.output;
  for (const std::string& problem : verdict.Problems())
    ADD_FAILURE() << problem;
  EXPECT_TRUE(verdict.Problems().empty()) << run.output;
}

}  // namespace
}  // namespace zqt::test
