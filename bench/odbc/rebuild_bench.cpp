// The whole rebuild (RecalcFromLog with OdbcQuery) next to the bare ODBC loop over the same rows and columns,
// on a SQLite file and on the PostgreSQL server of ./zqt bench's session. Both run in every iteration,
// alternating which goes first, so that the machine's load and the process's memory state weigh on them
// alike; the ratio is the figure to watch (target: at most 1.3).

#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_log.h"
#include "core/boundary_records.h"
#include "core/locale_collation.h"
#include "core/rebuild.h"
#include "core/tally.h"
#include "odbc/odbc_query.h"
#include "support/log_database.h"

namespace zqt::bench {
namespace {

constexpr double kTarget = 1.3;

// No window, so no messages wait.
class NoMessages final : public MessagePump {
 public:
  void ProcessMessages() override {}
};

using Clock = std::chrono::steady_clock;

void Rebuild(benchmark::State& state, test::Engine engine) {
  const auto rows = static_cast<int>(state.range(0));
  const test::LogDatabase database(engine);
  const auto connection_owner = database.Connect();
  const test::OdbcConnection& connection = *connection_owner;
  BuildLog(connection, rows);
  static const LocaleCollation collation;
  Tally tally(collation);
  TContestData buffer{};
  WriteText(buffer.LogTable, "log");
  OdbcQuery query("LogQuery", connection.RecordValue());
  NoMessages pump;

  Clock::duration bare{};
  Clock::duration rebuild{};
  bool bare_first = true;
  for (auto _ : state) {
    const auto time_bare = [&] {
      const auto start = Clock::now();
      const int fetched = FetchSevenColumns(connection);
      bare += Clock::now() - start;
      return fetched;
    };
    int fetched = bare_first ? time_bare() : 0;
    const auto start = Clock::now();
    RecalcFromLog(tally, buffer, query, pump, [] {});
    const auto rebuild_time = Clock::now() - start;
    rebuild += rebuild_time;
    if (!bare_first)
      fetched = time_bare();
    bare_first = !bare_first;
    state.SetIterationTime(std::chrono::duration<double>(rebuild_time).count());
    // Every generated call is distinct, so each row is counted.
    if (fetched != rows || tally.QsoCount() != rows) {
      state.SkipWithError("rows missing");
    }
  }

  const auto ms = [&](Clock::duration total) {
    return std::chrono::duration<double, std::milli>(total).count() / static_cast<double>(state.iterations());
  };
  const double ratio = ms(rebuild) / ms(bare);
  state.counters["bare_fetch_ms"] = ms(bare);
  state.counters["ratio"] = ratio;
  state.SetLabel(ratio <= kTarget ? "ratio within 1.3" : "ratio OVER 1.3");
  state.SetItemsProcessed(state.iterations() * rows);
}

// The time column is the rebuild's; bare_fetch_ms is the bare loop's, measured alongside. Two seconds of
// rebuilds give the 100k log several iterations, enough for a steady ratio.
void LogSizes(benchmark::internal::Benchmark* family) {
  family->Arg(10'000)->Arg(100'000)->UseManualTime()->MinTime(2.0)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(Rebuild, SQLite, test::Engine::kSqlite)->Apply(LogSizes);
BENCHMARK_CAPTURE(Rebuild, PostgreSQL, test::Engine::kPostgres)->Apply(LogSizes);

}  // namespace
}  // namespace zqt::bench
