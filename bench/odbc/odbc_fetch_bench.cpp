// Reading a whole log: a bare ODBC loop over the seven columns against OdbcQuery's cursor over the rebuild's
// columns.

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string_view>

#include "bench_log.h"
#include "core/rebuild.h"
#include "odbc/odbc_query.h"
#include "support/sqlite_database.h"

namespace zqt::bench {
namespace {

void BareFetch(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  const test::TempDatabase database;
  const test::SqliteConnection connection(database);
  BuildLog(connection, rows);
  for (auto _ : state) {
    if (FetchSevenColumns(connection) != rows) {
      state.SkipWithError("rows missing");
    }
  }
  state.SetItemsProcessed(state.iterations() * rows);
}

void QueryRead(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  const test::TempDatabase database;
  const test::SqliteConnection connection(database);
  BuildLog(connection, rows);
  OdbcQuery query("LogQuery", connection.RecordValue(), static_cast<std::size_t>(state.range(1)));
  std::array<std::string_view, kLogColumns.size()> texts;
  for (auto _ : state) {
    const std::unique_ptr<RowCursor> cursor = query.Open(kLogStatement, kLogColumns);
    int fetched = 0;
    while (cursor->Next(texts)) {
      benchmark::DoNotOptimize(texts);
      ++fetched;
    }
    if (fetched != rows) {
      state.SkipWithError("rows missing");
    }
  }
  state.SetItemsProcessed(state.iterations() * rows);
}

BENCHMARK(BareFetch)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
// The second argument is the query's rows per fetch: 1 reads value by value, 256 in bound blocks.
BENCHMARK(QueryRead)->ArgsProduct({{10'000, 100'000}, {1, 256}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqt::bench
