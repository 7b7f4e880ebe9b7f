#include "bench_mode.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/boundary_records.h"
#include "generated_qso.h"
#include "host_error.h"
#include "message_loop.h"
#include "module_window.h"
#include "odbc/handle.h"
#include "platform_name.h"
#include "record_builder.h"
#include "resource_counts.h"
#include "window_state.h"

namespace zqthost {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::array<std::size_t, 3> kWorkedSizes = {1'000, 10'000, 100'000};
constexpr std::array<std::size_t, 3> kLogSizes = {10'000, 100'000, 1'000'000};
constexpr std::size_t kTimedQsos = 2'000;
constexpr std::size_t kMemoryQsos = 1'000'000;
constexpr std::size_t kInsertBatch = 1'000;
constexpr SQLULEN kBlockRows = 256;
// The seven columns the module reads, in the host table's order (odbc_log.cpp).
constexpr std::array<const char*, 7> kModuleColumns = {
    "CallSign", "DigiBand", "QSOMode", "Continent", "QSOReportRecived", "MainPrefix", "DXCCPrefix"};

double Microseconds(Clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

struct Spread {
  double median = 0;
  double p99 = 0;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values[std::min(values.size() - 1, values.size() * 99 / 100)]};
}

std::string Fixed(double value, int decimals, int width) {
  char text[64];
  std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
  return text;
}

std::string Padded(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

// A QSO whose call sorts after that of every lower i ("WAAAAA", "WAAAAB", ...), none equal to a GeneratedQso
// call: the worked list takes it at its end, as a log replayed in call order would. Filling a list in random
// order costs a memory move of half the list per QSO, which at 1M QSOs is no longer a fill but the benchmark.
Qso InOrderQso(std::size_t i) {
  Qso qso = GeneratedQso(i);
  std::string call(6, 'W');
  for (std::size_t n = i, k = 5; k > 0; --k, n /= 26)
    call[k] = static_cast<char>('A' + n % 26);
  qso.call = call;
  return qso;
}

std::string Literal(const std::string& text) {
  return "'" + text + "'";  // generated texts hold no quotes
}

// A fresh table of `rows` generated QSOs, in multi-row inserts that every SQL engine takes.
void FillLog(OdbcLog& log, const std::string& table, std::size_t rows) {
  log.PrepareTable(table, true);
  for (std::size_t first = 0; first < rows; first += kInsertBatch) {
    std::string sql = "INSERT INTO " + table +
                      " (CallSign, DigiBand, QSOMode, Continent, QSOReportRecived, MainPrefix, DXCCPrefix, "
                      "QSODate, QSOTime, "
                      "Frequency, ExchangeSent, ExchangeRecived) VALUES ";
    for (std::size_t i = first; i < std::min(rows, first + kInsertBatch); ++i) {
      const Qso q = GeneratedQso(i);
      sql += (i == first ? "(" : ", (") + Literal(q.call) + ", " + Literal(q.band) + ", " + Literal(q.mode) +
             ", " + Literal(q.continent) + ", " + Literal(q.report) + ", " + Literal(q.main_prefix) + ", " +
             Literal(q.dxcc_prefix) + ", " + Literal(q.date) + ", " + Literal(q.time) + ", " +
             Literal(q.frequency) + ", " + Literal(q.exchange_sent) + ", " + Literal(q.exchange_received) +
             ")";
    }
    log.Execute(sql);
  }
}

void Require(SQLRETURN rc, const char* what) {
  if (!SQL_SUCCEEDED(rc)) {
    throw HostError(ExitCode::kOdbc, std::string("bench fetch: ") + what + " failed");
  }
}

// The bare fetches of the module's statement that the rebuild is timed against. The seven columns' numbers
// are found by name once per table, on the statement prepared but not run, and the buffers are made once, so
// that a timed fetch does only what reading the rows needs.
class BareFetches {
 public:
  BareFetches(SQLHDBC connection, const std::string& table)
      : connection_(connection), sql_("Select * from " + table + " order by CallSign") {
    const zqt::odbc::Handle statement(SQL_HANDLE_STMT, connection_);
    Require(SQLPrepare(statement.get(), reinterpret_cast<SQLCHAR*>(sql_.data()), SQL_NTS), "SQLPrepare");
    SQLSMALLINT count = 0;
    Require(SQLNumResultCols(statement.get(), &count), "SQLNumResultCols");
    for (SQLUSMALLINT column = 1; column <= count; ++column) {
      std::array<SQLCHAR, 128> name{};
      SQLSMALLINT length = 0;
      Require(SQLColAttribute(statement.get(), column, SQL_DESC_NAME, name.data(),
                              static_cast<SQLSMALLINT>(name.size()), &length, nullptr),
              "SQLColAttribute");
      for (const char* wanted : kModuleColumns) {
        if (lstrcmpiA(reinterpret_cast<const char*>(name.data()), wanted) == 0)
          columns_.push_back(column);
      }
    }
    if (columns_.size() != kModuleColumns.size())
      throw HostError(ExitCode::kFailure, "bench: the log lacks some of the module's columns");
    text_.resize(columns_.size() * kBlockRows * kCell);
    lengths_.resize(columns_.size() * kBlockRows);
  }

  // The floor: the seven columns bound in cells as large as the module's, 256 rows per SQLFetch, nothing
  // done with the values.
  std::size_t InBlocks() {
    const zqt::odbc::Handle statement(SQL_HANDLE_STMT, connection_);
    Execute(statement);
    SQLULEN fetched = 0;
    Require(SQLSetStmtAttr(statement.get(), SQL_ATTR_ROW_ARRAY_SIZE,
                           reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(kBlockRows)), 0),
            "SQL_ATTR_ROW_ARRAY_SIZE");
    Require(SQLSetStmtAttr(statement.get(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0),
            "SQL_ATTR_ROWS_FETCHED_PTR");
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      Require(SQLBindCol(statement.get(), columns_[i], SQL_C_CHAR, text_.data() + i * kBlockRows * kCell,
                         kCell, lengths_.data() + i * kBlockRows),
              "SQLBindCol");
    }
    std::size_t rows = 0;
    for (SQLRETURN rc; (rc = SQLFetch(statement.get())) == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;)
      rows += fetched;
    return rows;
  }

  // The path the block fetch replaces: one SQLGetData per value.
  std::size_t PerCell() {
    const zqt::odbc::Handle statement(SQL_HANDLE_STMT, connection_);
    Execute(statement);
    std::size_t rows = 0;
    while (SQLFetch(statement.get()) == SQL_SUCCESS) {
      for (const SQLUSMALLINT column : columns_) {
        Require(SQLGetData(statement.get(), column, SQL_C_CHAR, text_.data(), kCell, lengths_.data()),
                "SQLGetData");
      }
      ++rows;
    }
    return rows;
  }

 private:
  static constexpr SQLLEN kCell = 256;  // a value of up to 255 characters and its NUL, as the module reads

  void Execute(const zqt::odbc::Handle& statement) {
    Require(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql_.data()), SQL_NTS),
            "SQLExecDirect");
  }

  SQLHDBC connection_;
  std::string sql_;
  std::vector<SQLUSMALLINT> columns_;  // ascending
  std::vector<char> text_;
  std::vector<SQLLEN> lengths_;
};

// One module window over a log table, released and gone at the end of the scope.
class BenchWindow {
 public:
  BenchWindow(const ModuleExports& exports, TContestData& record) : exports_(exports) {
    window_ = static_cast<HWND>(exports_.run(0, &record));
    DrainMessages();
    if (window_ == nullptr)
      throw HostError(ExitCode::kModule, "bench: _Run gave no window");
  }
  ~BenchWindow() {
    exports_.release();
    PumpUntilGone(window_, std::chrono::seconds(10));
  }
  BenchWindow(const BenchWindow&) = delete;
  BenchWindow& operator=(const BenchWindow&) = delete;
  HWND get() const { return window_; }

  long long ReportedQsos() const { return ReportedQsoCount(window_); }

 private:
  const ModuleExports& exports_;
  HWND window_ = nullptr;
};

void CheckCount(const BenchWindow& window, std::size_t expected) {
  const long long shown = window.ReportedQsos();
  if (shown != static_cast<long long>(expected)) {
    throw HostError(ExitCode::kFailure, "bench: the report shows " + std::to_string(shown) + " QSOs, not " +
                                            std::to_string(expected));
  }
}

void QsoTable(Console& console, OdbcLog& log, const ModuleExports& exports, TContestData& record) {
  const std::string table = "ZqtBenchQsos";
  log.PrepareTable(table, true);
  zqt::WriteText(record.LogTable, table);
  console.Line("One QSO: _GetScore then _AddQSO, in microseconds (median and 99th percentile of " +
               std::to_string(kTimedQsos) + " QSOs)");
  console.Line(
      "  worked | host logging without pumping | host pumping after each QSO             "
      "| pointer moving over the window");
  console.Line(
      "         |     median          p99      |     median          p99    pump alone "
      "| QSO and pump    pump alone");
  for (const std::size_t worked : kWorkedSizes) {
    const BenchWindow window(exports, record);
    for (std::size_t i = 0; i < worked; ++i) {
      SetQso(record, InOrderQso(i));
      exports.add_qso(&record);
    }
    DrainMessages();
    std::size_t next = 0;
    const auto log_one = [&] {
      SetQso(record, GeneratedQso(next++));
      const auto start = Clock::now();
      exports.get_score(&record);
      exports.add_qso(&record);
      return start;
    };
    std::vector<double> quiet;
    for (std::size_t i = 0; i < kTimedQsos; ++i) {
      const auto start = log_one();
      quiet.push_back(Microseconds(Clock::now() - start));
    }
    DrainMessages();
    // Pumps after every other QSO and alone between them: the pump alone is what Wine's message handling
    // costs a host with or without a module, so the module's share is the difference of the two medians.
    const auto pump_pairs = [&](const auto& before_each) {
      std::pair<std::vector<double>, std::vector<double>> times;
      for (std::size_t i = 0; i < 2 * kTimedQsos; ++i) {
        before_each(i);
        const bool alone = i % 2 == 1;
        const auto start = alone ? Clock::now() : log_one();
        DrainMessages();
        (alone ? times.second : times.first).push_back(Microseconds(Clock::now() - start));
      }
      return times;
    };
    const auto [pumped, pumped_alone] = pump_pairs([](std::size_t) {});
    // The pointer goes back and forth over the report area, as an operator's hand does, bringing moves, hit
    // tests and cursor requests.
    RECT area{};
    GetWindowRect(FindWindowExA(window.get(), nullptr, "EDIT", nullptr), &area);
    const auto [moved, moved_alone] = pump_pairs([&](std::size_t i) {
      SetCursorPos((area.left + area.right) / 2 + static_cast<int>(i % 8), (area.top + area.bottom) / 2);
    });
    CheckCount(window, worked + next);
    const auto pair = [](const Spread& s) { return Fixed(s.median, 1, 10) + "   " + Fixed(s.p99, 1, 10); };
    console.Line(Padded(std::to_string(worked), 8) + " | " + pair(SpreadOf(quiet)) + "      | " +
                 pair(SpreadOf(pumped)) + Fixed(SpreadOf(pumped_alone).median, 1, 13) + " | " +
                 Fixed(SpreadOf(moved).median, 1, 12) + Fixed(SpreadOf(moved_alone).median, 1, 14));
  }
  log.Execute("DROP TABLE " + table);
}

void RebuildTable(Console& console, OdbcLog& log, const ModuleExports& exports, TContestData& record,
                  std::span<const std::size_t> log_sizes) {
  console.Line("");
  console.Line(
      "Rebuild from the log (\"Recalc Statistic\" clicked), in milliseconds, median of the runs, beside");
  console.Line("bare fetches of the same rows and seven columns in the same run");
  console.Line(
      "     rows | runs |  rebuild | bound block fetch | SQLGetData per cell | rebuild/block | rebuild/per "
      "cell");
  for (const std::size_t rows : log_sizes) {
    const std::string table = "ZqtBench" + std::to_string(rows);
    FillLog(log, table, rows);
    zqt::WriteText(record.LogTable, table);
    const int runs = rows >= 1'000'000 ? 3 : 15;
    std::vector<double> rebuild;
    std::vector<double> block;
    std::vector<double> per_cell;
    {
      const BenchWindow window(exports, record);
      const HWND button = FindDescendant(window.get(), "button");
      BareFetches bare(log.connection(), table);
      const auto time = [](std::vector<double>& into, const auto& step) {
        const auto start = Clock::now();
        step();
        into.push_back(Microseconds(Clock::now() - start) / 1000.0);
      };
      const auto check_rows = [rows](std::size_t fetched) {
        if (fetched != rows)
          throw HostError(ExitCode::kFailure,
                          "bench: a bare fetch read " + std::to_string(fetched) + " rows");
      };
      for (int run = 0; run < runs; ++run) {
        // The order turns each run, so that the machine's other load falls on all three alike.
        for (int k = 0; k < 3; ++k) {
          switch ((run + k) % 3) {
            case 0:
              time(rebuild, [&] { SendMessageA(button, BM_CLICK, 0, 0); });
              // The module writes the new report by a timer after the click, or at once when it is read: read
              // it here, so that the write is not timed as part of the next click.
              DrainMessages();
              ReadReport(window.get());
              break;
            case 1:
              time(block, [&] { check_rows(bare.InBlocks()); });
              break;
            default:
              time(per_cell, [&] { check_rows(bare.PerCell()); });
              break;
          }
        }
      }
      CheckCount(window, rows);
    }
    log.Execute("DROP TABLE " + table);
    // The ratios are the medians of each run's own: the three steps of a run follow each other, so a load
    // that comes and goes on the machine weighs on a run's rebuild and its fetches alike.
    const auto ratio = [&rebuild](const std::vector<double>& fetch) {
      std::vector<double> ratios;
      for (std::size_t i = 0; i < rebuild.size(); ++i)
        ratios.push_back(rebuild[i] / fetch[i]);
      return SpreadOf(ratios).median;
    };
    console.Line(Padded(std::to_string(rows), 9) + " | " + Padded(std::to_string(runs), 4) + " | " +
                 Fixed(SpreadOf(rebuild).median, 1, 8) + " | " + Fixed(SpreadOf(block).median, 1, 17) +
                 " | " + Fixed(SpreadOf(per_cell).median, 1, 19) + " | " + Fixed(ratio(block), 2, 13) +
                 " | " + Fixed(ratio(per_cell), 2, 16));
  }
}

void MemoryLine(Console& console, OdbcLog& log, const ModuleExports& exports, TContestData& record) {
  const std::string table = "ZqtBenchQsos";
  log.PrepareTable(table, true);
  zqt::WriteText(record.LogTable, table);
  const BenchWindow window(exports, record);
  const std::size_t heap_before = HeapBytesInUse();
  const std::size_t working_set_before = WorkingSet();
  for (std::size_t i = 0; i < kMemoryQsos; ++i) {
    SetQso(record, InOrderQso(i));
    exports.add_qso(&record);
  }
  DrainMessages();
  const auto per_qso = [](std::size_t before, std::size_t after) {
    return Fixed(
        (static_cast<double>(after) - static_cast<double>(before)) / static_cast<double>(kMemoryQsos), 1, 0);
  };
  const std::string heap = per_qso(heap_before, HeapBytesInUse());
  const std::string working_set = per_qso(working_set_before, WorkingSet());
  CheckCount(window, kMemoryQsos);
  console.Line("");
  console.Line("Memory after " + std::to_string(kMemoryQsos) + " QSOs logged through _AddQSO: " + heap +
               " heap bytes in use per worked QSO (the working set grew by " + working_set +
               " bytes per QSO)");
  log.Execute("DROP TABLE " + table);
}

}  // namespace

void RunBench(Console& console, OdbcLog& log, ContestModule& module, std::size_t rebuild_rows) {
  const ModuleExports& exports = module.exports();
  TContestData record{};
  record.Connection = ConnectionField(log.connection());
  zqt::WriteText(record.CaptionPrefix, "zqtbench");
  console.Line("zqtbench: ZQTRTTYContest.dll through its exports, " + PlatformName());
  if (rebuild_rows > 0) {
    RebuildTable(console, log, exports, record, std::span(&rebuild_rows, 1));
    return;
  }
  console.Line("");
  QsoTable(console, log, exports, record);
  RebuildTable(console, log, exports, record, kLogSizes);
  MemoryLine(console, log, exports, record);
}

}  // namespace zqthost
