#include "bench_log.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "odbc/handle.h"

namespace zqt::bench {

namespace {

// The generated QSOs in PostgreSQL's words: the same values as the SQLite statement below.
std::string PostgresLogRows(int rows, Calls calls) {
  const std::string call =
      "p || i % 10 || chr(65 + (i / 10) % 26) || chr(65 + (i / 260) % 26) || chr(65 + (i / 6760) % 26)";
  return "insert into log "
         "select to_char(date '2024-02-10' + i % 2, 'YYYY-MM-DD'), to_char((i / 60) % 24, 'FM00') || "
         "to_char(i % 60, 'FM00'), " +
         (calls == Calls::kMixedCase ? "case when i % 2 = 1 then lower(" + call + ") else " + call + " end"
                                     : call) +
         ", 14080.0 + (i % 50) * 0.1, "
         "(array['80M', '40M', '20M', '15M', '10M'])[1 + (i / 17) % 5], 'RTTY', '599' || to_char(i % 1000, "
         "'FM000'), to_char(i % 1000, 'FM000'), (array['AS', 'NA', 'NA', 'OC', 'EU', 'eu'])[1 + i % 6], "
         "p || i % 10, p from (select i, (array['JA', 'K', 'VE', 'VK', 'DL', 'UA'])[1 + i % 6] as p "
         "from generate_series(0, " +
         std::to_string(rows - 1) + ") as i) as q";
}

std::string SqliteLogRows(int rows) {
  return "insert into log "
         "with recursive n(i) as (select 0 union all select i + 1 from n where i < " +
         std::to_string(rows - 1) +
         "), "
         "q(i, p) as (select i, case i % 6 when 0 then 'JA' when 1 then 'K' when 2 then 'VE' when 3 then "
         "'VK' "
         "when 4 then 'DL' else 'UA' end from n) "
         "select date('2024-02-10', '+' || (i % 2) || ' days'), printf('%02d%02d', (i / 60) % 24, i % 60), "
         "printf('%s%d%s%s%s', p, i % 10, char(65 + (i / 10) % 26), char(65 + (i / 260) % 26), "
         "char(65 + (i / 6760) % 26)), 14080.0 + (i % 50) * 0.1, "
         "case (i / 17) % 5 when 0 then '80M' when 1 then '40M' when 2 then '20M' when 3 then '15M' else "
         "'10M' "
         "end, "
         "'RTTY', printf('599%03d', i % 1000), printf('%03d', i % 1000), "
         "case i % 6 when 0 then 'AS' when 1 then 'NA' when 2 then 'NA' when 3 then 'OC' when 4 then 'EU' "
         "else 'eu' end, p || (i % 10), p from q";
}

}  // namespace

void BuildLog(const test::OdbcConnection& connection, int rows, Calls calls) {
  const bool postgres = connection.engine() == test::Engine::kPostgres;
  std::string call_type = "text";
  if (postgres) {
    connection.Execute(
        "create collation if not exists case_insensitive (provider = icu, locale = 'und-u-ks-level2', "
        "deterministic = false)");
    call_type += " collate case_insensitive";
  }
  connection.Execute("create table log (QSODate text, QSOTime text, CallSign " + call_type +
                     ", Frequency real, DigiBand text, QSOMode text, QSOReportRecived text, Exchange text, "
                     "Continent text, MainPrefix text, DXCCPrefix text)");
  // Prefixes of several entities, call areas 0 to 9, three-letter suffixes; some calls repeat on other bands.
  connection.Execute(postgres ? PostgresLogRows(rows, calls) : SqliteLogRows(rows));
}

namespace {

// The seven columns' positions in the benchmark table, ascending.
constexpr std::array<SQLUSMALLINT, 7> kSevenColumns = {3, 5, 6, 7, 9, 10, 11};

void Require(SQLRETURN result, const char* what) {
  if (!SQL_SUCCEEDED(result)) {
    throw std::runtime_error(what);
  }
}

}  // namespace

int FetchSevenColumns(const test::OdbcConnection& connection) {
  std::string sql(kLogStatement);
  std::array<char, 256> value;
  const odbc::Handle statement(SQL_HANDLE_STMT, connection.Handle());
  Require(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql.data()),
                        static_cast<SQLINTEGER>(sql.size())),
          "SQLExecDirect");
  int fetched = 0;
  while (SQLFetch(statement.get()) == SQL_SUCCESS) {
    for (SQLUSMALLINT column : kSevenColumns) {
      SQLLEN length = 0;
      Require(SQLGetData(statement.get(), column, SQL_C_CHAR, value.data(), static_cast<SQLLEN>(value.size()),
                         &length),
              "SQLGetData");
      benchmark::DoNotOptimize(value);
    }
    ++fetched;
  }
  return fetched;
}

int FetchSevenColumnsInBlocks(const test::OdbcConnection& connection) {
  constexpr std::size_t kRows = 256;
  constexpr std::size_t kCell = 256;
  std::string sql(kLogStatement);
  std::vector<char> text(kSevenColumns.size() * kRows * kCell);
  std::vector<SQLLEN> lengths(kSevenColumns.size() * kRows);
  SQLULEN fetched = 0;
  const odbc::Handle statement(SQL_HANDLE_STMT, connection.Handle());
  Require(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql.data()),
                        static_cast<SQLINTEGER>(sql.size())),
          "SQLExecDirect");
  Require(SQLSetStmtAttr(statement.get(), SQL_ATTR_ROW_ARRAY_SIZE,
                         reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(kRows)), 0),
          "SQL_ATTR_ROW_ARRAY_SIZE");
  Require(SQLSetStmtAttr(statement.get(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0),
          "SQL_ATTR_ROWS_FETCHED_PTR");
  for (std::size_t i = 0; i < kSevenColumns.size(); ++i) {
    Require(SQLBindCol(statement.get(), kSevenColumns[i], SQL_C_CHAR, text.data() + i * kRows * kCell, kCell,
                       lengths.data() + i * kRows),
            "SQLBindCol");
  }
  int rows = 0;
  for (SQLRETURN result;
       (result = SQLFetch(statement.get())) == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO;)
    rows += static_cast<int>(fetched);
  benchmark::DoNotOptimize(text);
  return rows;
}

}  // namespace zqt::bench
