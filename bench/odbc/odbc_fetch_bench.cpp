// Reading a whole log: a bare ODBC loop over the seven columns against OdbcQuery in the rebuild's read order.

#include <benchmark/benchmark.h>

#include <array>
#include <stdexcept>
#include <string>

#include "bench/odbc/bench_log.h"
#include "odbc/odbc_query.h"
#include "tests/odbc/sqlite_database.h"

namespace zqt::bench {
namespace {

// The seven columns' positions in the benchmark table, ascending.
constexpr std::array<SQLUSMALLINT, 7> kSevenColumns = {3, 5, 6, 7, 9, 10, 11};

void Require(SQLRETURN result, const char* what) {
  if (!SQL_SUCCEEDED(result)) {
    throw std::runtime_error(what);
  }
}

void BareFetch(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  const test::TempDatabase database;
  const test::SqliteConnection connection(database);
  BuildLog(connection, rows);
  std::string sql(kLogStatement);
  std::array<char, 256> value;
  for (auto _ : state) {
    const test::OdbcHandle statement(SQL_HANDLE_STMT, connection.Handle());
    Require(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql.data()),
                          static_cast<SQLINTEGER>(sql.size())),
            "SQLExecDirect");
    int fetched = 0;
    while (SQLFetch(statement.get()) == SQL_SUCCESS) {
      for (SQLUSMALLINT column : kSevenColumns) {
        SQLLEN length = 0;
        Require(SQLGetData(statement.get(), column, SQL_C_CHAR, value.data(),
                           static_cast<SQLLEN>(value.size()), &length),
                "SQLGetData");
        benchmark::DoNotOptimize(value);
      }
      ++fetched;
    }
    if (fetched != rows) {
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
  OdbcQuery query("LogQuery", connection.RecordValue());
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
BENCHMARK(QueryRead)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zqt::bench
