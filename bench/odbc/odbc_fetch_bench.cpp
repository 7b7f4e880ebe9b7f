// Reading a whole log: a bare ODBC loop over the seven columns against OdbcQuery in the rebuild's read order.

#include <benchmark/benchmark.h>

#include <string>

#include "bench_log.h"
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
  query.SetSql(std::string(kLogStatement));
  for (auto _ : state) {
    query.Open();
    int fetched = 0;
    while (!query.Eof()) {
      for (const char* name :
           {"QSOReportRecived", "DXCCPrefix", "MainPrefix", "CallSign", "DigiBand", "QSOMode", "Continent"}) {
        std::string text = query.FieldAsText(name);
        benchmark::DoNotOptimize(text);
      }
      query.Next();
      ++fetched;
    }
    query.Close();
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
