// OdbcQuery against real SQLite and PostgreSQL databases through the ODBC driver manager.

#include "odbc/odbc_query.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/error.h"
#include "support/log_database.h"

namespace zqt {
namespace {

using test::Engine;
using test::SqliteConnection;
using test::TempDatabase;

constexpr const char* kLogTable =
    "create table log (QSODate text, CallSign text, DigiBand text, QSOMode text, Continent text, "
    "MainPrefix text, DXCCPrefix text, QSOReportRecived text, Frequency real, Exchange integer)";

// The seven columns in the order the rebuild reads them.
const std::vector<std::string> kReadOrder = {"QSOReportRecived", "DXCCPrefix", "MainPrefix", "CallSign",
                                             "DigiBand",         "QSOMode",    "Continent"};

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "(no error)";
}

// Text whose chunks differ from one another, so a chunk lost, repeated or misplaced shows.
std::string Pattern(std::size_t length) {
  std::string text(length, ' ');
  for (std::size_t i = 0; i < length; ++i) {
    text[i] = static_cast<char>('A' + (i * 7 + i / 100) % 26);
  }
  return text;
}

class OdbcQueryTest : public test::EngineTest {
 protected:
  OdbcQuery Query(const std::string& sql) {
    OdbcQuery query("LogQuery", connection.RecordValue());
    query.SetSql(sql);
    return query;
  }

  std::vector<std::string> ReadRow(OdbcQuery& query) {
    std::vector<std::string> values;
    for (const std::string& name : kReadOrder) {
      values.push_back(query.FieldAsText(name));
    }
    return values;
  }
};

INSTANTIATE_TEST_SUITE_P(Engines, OdbcQueryTest, test::AllEngines(), test::EngineTestName);

TEST_P(OdbcQueryTest, EmptyTableIsPastTheLastRowAtOnce) {
  connection.Execute(kLogTable);
  OdbcQuery query = Query("Select * from log order by CallSign");
  query.Open();
  EXPECT_TRUE(query.Active());
  EXPECT_TRUE(query.Eof());
  EXPECT_EQ(query.FieldAsText("CallSign"), "");
  query.Next();
  EXPECT_TRUE(query.Eof());
}

TEST_P(OdbcQueryTest, ReadsEveryRowInTheRebuildOrder) {
  connection.Execute(kLogTable);
  connection.Execute(
      "insert into log values "
      "('2024-01-02', 'W1AW', '20M', 'RTTY', 'na', 'W1', 'K', '599', 14085.5, 7), "
      "('2024-01-01', 'JA1ABC', '15M', 'RTTY', 'AS', NULL, 'JA', '599001', 21080, 12), "
      "('2024-01-03', 'VK2XY', '40M', 'RTTY', 'oc', 'VK2', 'VK', '', 7040, NULL)");
  OdbcQuery query = Query("Select * from log order by CallSign");
  query.Open();
  ASSERT_FALSE(query.Eof());
  EXPECT_EQ(ReadRow(query), (std::vector<std::string>{"599001", "JA", "", "JA1ABC", "15M", "RTTY", "AS"}));
  query.Next();
  ASSERT_FALSE(query.Eof());
  EXPECT_EQ(ReadRow(query), (std::vector<std::string>{"", "VK", "VK2", "VK2XY", "40M", "RTTY", "oc"}));
  query.Next();
  ASSERT_FALSE(query.Eof());
  EXPECT_EQ(ReadRow(query), (std::vector<std::string>{"599", "K", "W1", "W1AW", "20M", "RTTY", "na"}));
  EXPECT_EQ(query.FieldAsText("Exchange"), "7");
  query.Next();
  EXPECT_TRUE(query.Eof());
}

TEST_P(OdbcQueryTest, ReadsColumnsInAnyOrderAndAsOftenAsAsked) {
  connection.Execute("create table t (a text, b text, c text, d text)");
  connection.Execute(
      "insert into t values ('a1', 'b1', 'c1', 'd1'), ('a2', 'b2', 'c2', 'd2'), "
      "('a3', 'b3', 'c3', 'd3')");
  OdbcQuery query = Query("select * from t order by a");
  query.Open();
  EXPECT_EQ(query.FieldAsText("c"), "c1");
  EXPECT_EQ(query.FieldAsText("a"), "a1");
  EXPECT_EQ(query.FieldAsText("c"), "c1");
  query.Next();
  // Columns left out during the first row are read when first asked for, and on later rows as well.
  EXPECT_EQ(query.FieldAsText("d"), "d2");
  EXPECT_EQ(query.FieldAsText("b"), "b2");
  EXPECT_EQ(query.FieldAsText("a"), "a2");
  EXPECT_EQ(query.FieldAsText("d"), "d2");
  query.Next();
  EXPECT_EQ(query.FieldAsText("b"), "b3");
  EXPECT_EQ(query.FieldAsText("c"), "c3");
  EXPECT_EQ(query.FieldAsText("d"), "d3");
}

TEST_P(OdbcQueryTest, ValuesOfAnyLengthComeBackWhole) {
  const std::vector<std::size_t> lengths = {0, 1, 254, 255, 256, 257, 511, 512, 513, 1000, 5000};
  connection.Execute("create table t (id integer, v text)");
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    connection.Execute("insert into t values (" + std::to_string(i) + ", '" + Pattern(lengths[i]) + "')");
  }
  connection.Execute("insert into t values (" + std::to_string(lengths.size()) + ", NULL)");
  OdbcQuery query = Query("select * from t order by id");
  query.Open();
  for (std::size_t length : lengths) {
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.FieldAsText("v"), Pattern(length)) << "length " << length;
    query.Next();
  }
  ASSERT_FALSE(query.Eof());
  EXPECT_EQ(query.FieldAsText("v"), "");
  query.Next();
  EXPECT_TRUE(query.Eof());
}

TEST_P(OdbcQueryTest, ColumnNamesIgnoreAsciiLetterCase) {
  connection.Execute(kLogTable);
  connection.Execute("insert into log (CallSign, QSOReportRecived) values ('DL1ABC', '599')");
  OdbcQuery query = Query("Select * from log order by CallSign");
  query.Open();
  EXPECT_EQ(query.FieldAsText("callsign"), "DL1ABC");
  EXPECT_EQ(query.FieldAsText("CALLSIGN"), "DL1ABC");
  EXPECT_EQ(query.FieldAsText("qsoreportrecived"), "599");
  EXPECT_EQ(ErrorText([&] { query.FieldAsText("CallSig"); }), "LogQuery: Field 'CallSig' not found");
}

TEST_P(OdbcQueryTest, MissingColumnRaisesItsNameWhenRead) {
  connection.Execute("create table log (CallSign text, DigiBand text)");
  connection.Execute("insert into log values ('W1AW', '20M')");
  OdbcQuery query = Query("Select * from log order by CallSign");
  ASSERT_NO_THROW(query.Open());
  EXPECT_EQ(ErrorText([&] { query.FieldAsText("QSOReportRecived"); }),
            "LogQuery: Field 'QSOReportRecived' not found");
  EXPECT_EQ(query.FieldAsText("DigiBand"), "20M");

  OdbcQuery other("StatsQuery", connection.RecordValue());
  other.SetSql("select CallSign from log");
  other.Open();
  EXPECT_EQ(ErrorText([&] { other.FieldAsText("DigiBand"); }), "StatsQuery: Field 'DigiBand' not found");
}

TEST_P(OdbcQueryTest, MissingColumnRaisesOnAnEmptyTableToo) {
  connection.Execute("create table log (CallSign text)");
  OdbcQuery query = Query("Select * from log order by CallSign");
  query.Open();
  EXPECT_EQ(ErrorText([&] { query.FieldAsText("QSOReportRecived"); }),
            "LogQuery: Field 'QSOReportRecived' not found");
}

TEST_P(OdbcQueryTest, EngineErrorsPassThroughOnOpen) {
  connection.Execute("create table \"my log\" (CallSign text)");
  for (const std::string sql :
       {"Select * from nosuch order by CallSign", "Select * from my log order by CallSign",
        "Select * from log; delete from log order by CallSign"}) {
    const std::string engine = connection.ErrorOf(sql);
    ASSERT_FALSE(engine.empty()) << sql;
    OdbcQuery query = Query(sql);
    EXPECT_EQ(ErrorText([&] { query.Open(); }), engine) << sql;
    EXPECT_FALSE(query.Active());
    EXPECT_TRUE(query.Eof());
  }
  const std::string missing =
      engine() == Engine::kSqlite ? "no such table: nosuch" : "relation \"nosuch\" does not exist";
  EXPECT_NE(connection.ErrorOf("Select * from nosuch order by CallSign").find(missing), std::string::npos);
}

TEST_P(OdbcQueryTest, NoConnectionRaisesOnOpen) {
  OdbcQuery query("LogQuery", 0);
  query.SetSql("Select * from log order by CallSign");
  EXPECT_EQ(ErrorText([&] { query.Open(); }), "Missing Connection or ConnectionString");
  EXPECT_FALSE(query.Active());
  EXPECT_TRUE(query.Eof());
}

TEST_P(OdbcQueryTest, ClosedQueryRefusesRowWork) {
  OdbcQuery query = Query("select 1 as one");
  EXPECT_FALSE(query.Active());
  EXPECT_TRUE(query.Eof());
  EXPECT_EQ(ErrorText([&] { query.FieldAsText("one"); }), "LogQuery: The query is not open");
  EXPECT_EQ(ErrorText([&] { query.Next(); }), "LogQuery: The query is not open");
}

TEST_P(OdbcQueryTest, ClosesTwiceAndReopensFromTheFirstRow) {
  connection.Execute("create table t (a text)");
  connection.Execute("insert into t values ('x'), ('y')");
  OdbcQuery query = Query("select * from t order by a");
  query.Open();
  query.Next();
  EXPECT_EQ(query.FieldAsText("a"), "y");
  query.Close();
  query.Close();
  EXPECT_FALSE(query.Active());
  EXPECT_TRUE(query.Eof());
  query.Open();
  EXPECT_EQ(query.FieldAsText("a"), "x");
  query.Next();
  // Opening an open query starts over too.
  query.Open();
  EXPECT_EQ(query.FieldAsText("a"), "x");
}

TEST_P(OdbcQueryTest, FailedOpenLeavesTheConnectionUsable) {
  connection.Execute("create table t (a text)");
  connection.Execute("insert into t values ('x')");
  OdbcQuery query = Query("select * from nosuch");
  for (int attempt = 0; attempt < 50; ++attempt) {
    EXPECT_THROW(query.Open(), Error);
  }
  query.SetSql("select * from t");
  query.Open();
  EXPECT_EQ(query.FieldAsText("a"), "x");
}

// An open cursor keeps the database's read lock; the host's own writes must not wait for the module. The
// driver steps rows one at a time only with StepAPI=1 (by default it reads the whole result on execution).
TEST(OdbcQuerySqliteTest, CloseAndDestructionReleaseTheDatabase) {
  const TempDatabase database;
  const SqliteConnection setup(database);
  setup.Execute("create table t (a text)");
  setup.Execute("insert into t values ('x'), ('y')");
  const SqliteConnection stepping(database, ";StepAPI=1");
  const SqliteConnection writer(database, ";Timeout=1");
  const std::string insert = "insert into t values ('z')";
  {
    OdbcQuery query("LogQuery", stepping.RecordValue());
    query.SetSql("select * from t");
    query.Open();
    ASSERT_FALSE(writer.ErrorOf(insert).empty()) << "an open cursor holds no lock: the test shows nothing";
    query.Close();
    EXPECT_EQ(writer.ErrorOf(insert), "");
    query.Open();
  }
  EXPECT_EQ(writer.ErrorOf(insert), "");
}

// Fetching in chunks (UseDeclareFetch) keeps a cursor, and with it a transaction and the table's share lock,
// open on the server; another position's change to the table must not wait once the module has closed.
TEST(OdbcQueryPostgresTest, CloseAndDestructionEndTheCursorsTransaction) {
  const test::LogDatabase database(Engine::kPostgres);
  const auto setup = database.Connect();
  setup->Execute("create table t (a text)");
  setup->Execute("insert into t values ('x'), ('y'), ('z')");
  const auto chunked = database.Connect("UseDeclareFetch=1;Fetch=1;");
  const auto writer = database.Connect();
  writer->Execute("set lock_timeout = '500ms'");
  const std::string change = "alter table t alter column a set default 'd'";
  {
    OdbcQuery query("LogQuery", chunked->RecordValue());
    query.SetSql("select * from t");
    query.Open();
    EXPECT_EQ(query.FieldAsText("a"), "x");
    ASSERT_NE(writer->ErrorOf(change), "") << "an open cursor holds no lock: the test shows nothing";
    query.Close();
    EXPECT_EQ(writer->ErrorOf(change), "");
    query.Open();
    ASSERT_NE(writer->ErrorOf(change), "");
  }
  EXPECT_EQ(writer->ErrorOf(change), "");
}

}  // namespace
}  // namespace zqt
