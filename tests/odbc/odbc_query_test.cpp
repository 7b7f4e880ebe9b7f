// OdbcQuery against real SQLite and PostgreSQL databases through the ODBC driver manager, its rows fetched in
// bound blocks and, as for a driver without row arrays, row by row.

#include "odbc/odbc_query.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/error.h"
#include "odbc/cell_text.h"
#include "support/log_database.h"
#include "support/log_table.h"

namespace zqt {
namespace {

using test::Engine;
using test::SqliteConnection;
using test::TempDatabase;
using Rows = std::vector<std::vector<std::string>>;

// Row by row with SQLGetData, blocks of three rows (odd values fall on every place of a block), the window's
// blocks.
constexpr std::size_t kPaths[] = {1, 3, OdbcQuery::kBlockRows};

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "(no error)";
}

// Text whose characters depend on their position, so a cut in the wrong place shows.
std::string Pattern(char first, std::size_t length) {
  std::string text(length == 0 ? 0 : 1, first);
  for (std::size_t i = 1; i < length; ++i)
    text += static_cast<char>('A' + (i * 7 + i / 26) % 26);
  return text;
}

class OdbcQueryTest : public test::EngineTest {
 protected:
  // The texts of `names` in every row of `sql`, `block_rows` rows per fetch.
  Rows ReadAll(const std::string& sql, std::span<const std::string_view> names, std::size_t block_rows,
               const std::string& component = "LogQuery") {
    OdbcQuery query(component, connection.RecordValue(), block_rows);
    const std::unique_ptr<RowCursor> cursor = query.Open(sql, names);
    std::vector<std::string_view> texts(names.size());
    Rows rows;
    while (cursor->Next(texts))
      rows.emplace_back(texts.begin(), texts.end());
    return rows;
  }
};
INSTANTIATE_TEST_SUITE_P(Engines, OdbcQueryTest, test::AllEngines(), test::EngineTestName);

TEST_P(OdbcQueryTest, ReadsTheNamedColumnsOfEveryRowInTheirOrderOnEveryPath) {
  test::CreateLogTable(connection, "Log");
  test::InsertQsos(connection, "Log",
                   {{"W1AW", "20M", "RTTY", "na", "W1", "K"},
                    {"JA1ABC", "15M", "RTTY", "AS", std::string(test::kNull), "JA", "599001"},
                    {"VK2XY", "40M", "RTTY", "oc", "VK2", "VK", ""}});
  connection.Execute("alter table Log add column Exchange integer");
  connection.Execute("update Log set Exchange = case CallSign when 'W1AW' then 7 when 'JA1ABC' then 12 end");
  // Names in any letter case and order, a column named twice, and columns that hold numbers.
  const std::vector<std::string_view> names = {"qsoreportrecived", "DXCCPrefix", "MainPrefix", "CALLSIGN",
                                               "DigiBand",         "QSOMode",    "Continent",  "callsign",
                                               "Exchange",         "Frequency"};
  const Rows expected = {{"599001", "JA", "", "JA1ABC", "15M", "RTTY", "AS", "JA1ABC", "12", "14085.5"},
                         {"", "VK", "VK2", "VK2XY", "40M", "RTTY", "oc", "VK2XY", "", "14085.5"},
                         {"599", "K", "W1", "W1AW", "20M", "RTTY", "na", "W1AW", "7", "14085.5"}};
  for (const std::size_t path : kPaths)
    EXPECT_EQ(ReadAll("Select * from Log order by CallSign", names, path), expected) << path;
}

TEST_P(OdbcQueryTest, ValuesAreCutAt255CharactersOnEveryPath) {
  connection.Execute("create table t (id integer, v text, w text)");
  const std::vector<std::size_t> lengths = {0, 1, 254, 255, 256, 257, 300, 511, 512, 1000, 5000};
  Rows expected;
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    const bool null = i % 2 == 1;
    connection.Execute("insert into t values (" + std::to_string(i) + ", '" + Pattern('R', lengths[i]) +
                       "', " + (null ? "NULL" : "'" + Pattern('B', lengths[lengths.size() - 1 - i]) + "'") +
                       ")");
    expected.push_back({Pattern('R', lengths[i]).substr(0, 255),
                        null ? "" : Pattern('B', lengths[lengths.size() - 1 - i]).substr(0, 255)});
  }
  const std::vector<std::string_view> names = {"v", "w"};
  for (const std::size_t path : kPaths)
    EXPECT_EQ(ReadAll("select * from t order by id", names, path), expected) << path;
}

TEST_P(OdbcQueryTest, ManyBlocksKeepTheRowOrderAndTheLastPartialBlock) {
  test::CreateLogTable(connection, "Log");
  std::vector<test::Qso> qsos;
  Rows expected;
  for (int i = 0; i < 2 * static_cast<int>(OdbcQuery::kBlockRows) + 5; ++i) {
    char call[16];
    std::snprintf(call, sizeof call, "DL%04dA", i);
    qsos.push_back({call, i % 2 ? "20M" : "40M", "RTTY", "EU", "DL" + std::to_string(i % 10), "DL"});
    const test::LogRow row = test::RowOf(qsos.back());
    expected.emplace_back(row.begin(), row.end());
  }
  test::InsertQsos(connection, "Log", qsos);
  for (const std::size_t path : kPaths)
    EXPECT_EQ(ReadAll("Select * from Log order by CallSign", test::kModuleColumns, path), expected) << path;
}

// A name the result lacks raises at the first row, not on opening, naming the first such name in the order
// given, prefixed with the query's name; a result without rows lacks nothing.
TEST_P(OdbcQueryTest, MissingColumnRaisesAtTheFirstRow) {
  connection.Execute("create table t (QSOReportRecived text, DXCCPrefix text, CallSign text, DigiBand text)");
  connection.Execute("insert into t values ('599', 'K', 'K1AA', '20M')");
  connection.Execute("create table empty (CallSign text)");
  const std::vector<std::string_view> log_columns(test::kModuleColumns.begin(), test::kModuleColumns.end());
  struct Case {
    const char* sql;
    std::vector<std::string_view> names;
    const char* component;
    std::string error;
  };
  const Case cases[] = {
      {"select * from t", log_columns, "LogQuery", "LogQuery: Field 'MainPrefix' not found"},
      {"select * from t", {"CallSig"}, "LogQuery", "LogQuery: Field 'CallSig' not found"},
      {"select CallSign from t",
       {"CallSign", "DigiBand"},
       "StatsQuery",
       "StatsQuery: Field 'DigiBand' not found"},
      {"select * from empty", log_columns, "LogQuery", "(no row)"},
  };
  for (const Case& c : cases) {
    for (const std::size_t path : kPaths) {
      OdbcQuery query(c.component, connection.RecordValue(), path);
      std::unique_ptr<RowCursor> cursor;
      ASSERT_NO_THROW(cursor = query.Open(c.sql, c.names)) << c.error;
      std::vector<std::string_view> texts(c.names.size());
      EXPECT_EQ(ErrorText([&] {
                  if (!cursor->Next(texts))
                    throw Error("(no row)");
                }),
                c.error)
          << path;
    }
  }
}

TEST_P(OdbcQueryTest, EngineErrorsPassThroughOnOpen) {
  connection.Execute("create table \"my log\" (CallSign text)");
  for (const std::string sql :
       {"Select * from nosuch order by CallSign", "Select * from my log order by CallSign",
        "Select * from log; delete from log order by CallSign"}) {
    const std::string engine = connection.ErrorOf(sql);
    ASSERT_FALSE(engine.empty()) << sql;
    OdbcQuery query("LogQuery", connection.RecordValue());
    EXPECT_EQ(ErrorText([&] { query.Open(sql, test::kModuleColumns); }), engine) << sql;
  }
  const std::string missing =
      engine() == Engine::kSqlite ? "no such table: nosuch" : "relation \"nosuch\" does not exist";
  EXPECT_NE(connection.ErrorOf("Select * from nosuch order by CallSign").find(missing), std::string::npos);
}

TEST_P(OdbcQueryTest, FailedOpensLeaveTheConnectionUsableAndEachOpenStartsAtTheFirstRow) {
  connection.Execute("create table t (a text)");
  connection.Execute("insert into t values ('x'), ('y')");
  OdbcQuery query("LogQuery", connection.RecordValue());
  const std::vector<std::string_view> names = {"a"};
  for (int attempt = 0; attempt < 50; ++attempt)
    EXPECT_THROW(query.Open("select * from nosuch", names), Error);
  std::string_view text;
  const std::unique_ptr<RowCursor> first = query.Open("select * from t order by a", names);
  ASSERT_TRUE(first->Next({&text, 1}));
  ASSERT_TRUE(first->Next({&text, 1}));
  EXPECT_EQ(text, "y");
  const std::unique_ptr<RowCursor> second = query.Open("select * from t order by a", names);
  ASSERT_TRUE(second->Next({&text, 1}));
  EXPECT_EQ(text, "x");
  EXPECT_FALSE(first->Next({&text, 1}));
}

// A cursor that has not reached the last row keeps the database's read lock; the host's own writes must not
// wait for the module. The driver steps rows one at a time only with StepAPI=1 (by default it reads the whole
// result on execution). The table holds more rows than the first block.
TEST(OdbcQuerySqliteTest, TheCursorGoingReleasesTheDatabase) {
  const TempDatabase database;
  const SqliteConnection setup(database);
  setup.Execute("create table t (a text)");
  setup.Execute(
      "insert into t with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
      "select 'x' from n");
  const SqliteConnection stepping(database, ";StepAPI=1");
  const SqliteConnection writer(database, ";Timeout=1");
  const std::string insert = "insert into t values ('z')";
  OdbcQuery query("LogQuery", stepping.RecordValue());
  const std::vector<std::string_view> names = {"a"};
  std::unique_ptr<RowCursor> cursor = query.Open("select * from t", names);
  ASSERT_FALSE(writer.ErrorOf(insert).empty()) << "an open cursor holds no lock: the test shows nothing";
  cursor.reset();
  EXPECT_EQ(writer.ErrorOf(insert), "");
}

// Fetching in chunks (UseDeclareFetch) keeps a cursor, and with it a transaction and the table's share lock,
// open on the server; another position's change to the table must not wait once the module's cursor is gone.
TEST(OdbcQueryPostgresTest, TheCursorGoingEndsItsTransaction) {
  const test::LogDatabase database(Engine::kPostgres);
  const auto setup = database.Connect();
  setup->Execute("create table t (a text)");
  setup->Execute("insert into t select 'x' from generate_series(1, 300)");
  const auto chunked = database.Connect("UseDeclareFetch=1;Fetch=1;");
  const auto writer = database.Connect();
  writer->Execute("set lock_timeout = '500ms'");
  const std::string change = "alter table t alter column a set default 'd'";
  OdbcQuery query("LogQuery", chunked->RecordValue());
  const std::vector<std::string_view> names = {"a"};
  std::unique_ptr<RowCursor> cursor = query.Open("select * from t", names);
  ASSERT_NE(writer->ErrorOf(change), "") << "an open cursor holds no lock: the test shows nothing";
  cursor.reset();
  EXPECT_EQ(writer->ErrorOf(change), "");
}

// What a cell of six bytes holds after the driver reported each length: a value that was cut keeps only the
// bytes before the driver's zero byte, which a driver cutting at a character boundary puts early.
TEST(CellText, KeepsTheValueUpToTheLengthOrTheDriversZeroByte) {
  struct Case {
    std::string cell;
    SQLLEN length;
    std::string text;
  };
  const Case cases[] = {{{"K1A\0X\0", 6}, 3, "K1A"},           {{"ab\0\0\0\0", 6}, 4, {"ab\0\0", 4}},
                        {{"abcde\0", 6}, 300, "abcde"},        {{"abc\0X\0", 6}, 300, "abc"},
                        {{"ab\0XY\0", 6}, SQL_NO_TOTAL, "ab"}, {"abcdef", SQL_NULL_DATA, ""}};
  for (const Case& c : cases)
    EXPECT_EQ(odbc::CellText(c.cell.data(), c.cell.size(), c.length), c.text) << c.length;
}

}  // namespace
}  // namespace zqt
