// The whole rebuild (RecalcFromLog with OdbcQuery fetching blocks, as the window runs it) next to the bare
// ODBC loops over the same rows and columns, on a SQLite file and on the PostgreSQL server of ./zqt bench's
// session: the bound block fetch (the floor) and one SQLGetData per value. All run in every iteration, in
// turns, so that the machine's load and the process's memory state weigh on them alike; the ratio to the
// block fetch is the figure to watch (target: at most 1.25).

#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_log.h"
#include "core/boundary_records.h"
#include "support/locale_collation.h"
#include "core/rebuild.h"
#include "core/tally.h"
#include "odbc/odbc_query.h"
#include "support/log_database.h"

namespace zqt::bench {
namespace {

constexpr double kTarget = 1.25;

// No window, so no messages wait.
class NoMessages final : public MessagePump {
 public:
  void ProcessMessages() override {}
};

using Clock = std::chrono::steady_clock;

void Rebuild(benchmark::State& state, test::Engine engine, Calls calls) {
  const auto rows = static_cast<int>(state.range(0));
  const test::LogDatabase database(engine);
  const auto connection_owner = database.Connect();
  const test::OdbcConnection& connection = *connection_owner;
  BuildLog(connection, rows, calls);
  static const LocaleCollation collation;
  Tally tally(collation);
  TContestData buffer{};
  WriteText(buffer.LogTable, "log");
  OdbcQuery query("LogQuery", connection.RecordValue(), OdbcQuery::kBlockRows);
  NoMessages pump;

  Clock::duration per_cell{};
  Clock::duration blocks{};
  Clock::duration rebuild{};
  int turn = 0;
  for (auto _ : state) {
    int fetched_per_cell = 0;
    int fetched_blocks = 0;
    Clock::duration rebuild_time{};
    for (int k = 0; k < 3; ++k) {
      const auto start = Clock::now();
      switch ((turn + k) % 3) {
        case 0:
          RecalcFromLog(tally, buffer, query, pump, [] {});
          rebuild_time = Clock::now() - start;
          rebuild += rebuild_time;
          break;
        case 1:
          fetched_blocks = FetchSevenColumnsInBlocks(connection);
          blocks += Clock::now() - start;
          break;
        default:
          fetched_per_cell = FetchSevenColumns(connection);
          per_cell += Clock::now() - start;
          break;
      }
    }
    ++turn;
    state.SetIterationTime(std::chrono::duration<double>(rebuild_time).count());
    // Every generated call is distinct, so each row is counted.
    if (fetched_per_cell != rows || fetched_blocks != rows || tally.QsoCount() != rows) {
      state.SkipWithError("rows missing");
    }
  }

  const auto ms = [&](Clock::duration total) {
    return std::chrono::duration<double, std::milli>(total).count() / static_cast<double>(state.iterations());
  };
  const double ratio = ms(rebuild) / ms(blocks);
  state.counters["block_fetch_ms"] = ms(blocks);
  state.counters["per_cell_fetch_ms"] = ms(per_cell);
  state.counters["ratio"] = ratio;
  state.counters["ratio_per_cell"] = ms(rebuild) / ms(per_cell);
  state.SetLabel(ratio <= kTarget ? "ratio to blocks within 1.25" : "ratio to blocks OVER 1.25");
  state.SetItemsProcessed(state.iterations() * rows);
}

// The time column is the rebuild's; block_fetch_ms and per_cell_fetch_ms are the bare loops', measured
// alongside. Two seconds of rebuilds give the 100k log several iterations, enough for a steady ratio.
void LogSizes(benchmark::internal::Benchmark* family) {
  family->Arg(10'000)->Arg(100'000)->UseManualTime()->MinTime(2.0)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(Rebuild, SQLite, test::Engine::kSqlite, Calls::kUpperCase)->Apply(LogSizes);
BENCHMARK_CAPTURE(Rebuild, PostgreSQL, test::Engine::kPostgres, Calls::kUpperCase)->Apply(LogSizes);
// The same rows with every other call in lower case: the server's case-insensitive order is far from the byte
// order of the worked list, so most rows arrive out of place.
BENCHMARK_CAPTURE(Rebuild, PostgreSQLMixedCase, test::Engine::kPostgres, Calls::kMixedCase)->Apply(LogSizes);

}  // namespace
}  // namespace zqt::bench
