// Rebuilds that fail: the query layer's own messages, the engine's messages passed through, and table names
// that are refused before they reach the driver.

#include <gtest/gtest.h>

#include <string>

#include "core/ascii_case.h"

#include "rebuild_fixture.h"

namespace zqt::test {
namespace {

using RebuildFailureTest = RebuildFixture;
INSTANTIATE_TEST_SUITE_P(Engines, RebuildFailureTest, AllEngines(), EngineTestName);

TEST_P(RebuildFailureTest, MissingColumnStopsAtTheFirstRowNamingIt) {
  for (const std::string_view column : kModuleColumns) {
    // Without CallSign the statement itself fails (next test).
    if (column == "CallSign")
      continue;
    const std::string table = "Without" + std::string(column);
    CreateLogTable(connection, table, "", column);
    // An empty table reads no column, so nothing is missed.
    EXPECT_EQ(RebuildError(table), "(no error)") << column;

    connection.Execute("insert into " + table + " (QSODate) values ('2024-02-10')");
    EXPECT_EQ(RebuildError(table), "LogQuery: Field '" + std::string(column) + "' not found");
    EXPECT_EQ(tally.QsoCount(), 0) << column;
    EXPECT_EQ(tally.Worked().Count(), 0u) << column;

    // The next rebuild counts the row once the column is there.
    connection.Execute("alter table " + table + " add column " + std::string(column) + " text");
    EXPECT_EQ(RebuildError(table), "(no error)") << column;
    EXPECT_EQ(tally.QsoCount(), 1) << column;
  }
}

TEST_P(RebuildFailureTest, MissingCallSignFailsTheStatementWithTheEngineMessage) {
  CreateLogTable(connection, "Log", "", "CallSign");
  const std::string engine = connection.ErrorOf("Select * from Log order by CallSign");
  ASSERT_NE(engine, "");
  EXPECT_EQ(RebuildError("Log"), engine);
  EXPECT_EQ(pump.calls, 0);
}

TEST_P(RebuildFailureTest, MissingTableGivesTheEngineMessageWhenOpening) {
  TContestData live{};
  WriteText(live.CallSign, "DL1AA");
  tally.CountQSO(live);

  const std::string engine = connection.ErrorOf("Select * from NoSuchLog order by CallSign");
  ASSERT_NE(engine, "");
  EXPECT_EQ(RebuildError("NoSuchLog"), engine);
  // PostgreSQL names the table as the unquoted name folds: in lower case.
  EXPECT_NE(ToLowerAscii(engine).find("nosuchlog"), std::string::npos) << engine;
  EXPECT_EQ(tally.QsoCount(), 0);
  EXPECT_EQ(report_clears, 1);
  EXPECT_EQ(pump.calls, 0);
}

TEST_P(RebuildFailureTest, TableNameWithASpaceGoesToTheEngineUnquoted) {
  CreateLogTable(connection, "My Log");
  InsertQsos(connection, "My Log", {{"K1AA", "20M", "RTTY", "NA", "K1", "K"}});

  const std::string engine = connection.ErrorOf("Select * from My Log order by CallSign");
  ASSERT_NE(engine, "");
  EXPECT_EQ(RebuildError("My Log"), engine);
  EXPECT_EQ(tally.QsoCount(), 0);
}

TEST_P(RebuildFailureTest, BatchNameIsRefusedAndEveryRowStays) {
  CreateLogTable(connection, "Log");
  InsertQsos(connection, "Log",
             {{"K1AA", "20M", "RTTY", "NA", "K1", "K"}, {"JA1XYZ", "15M", "RTTY", "AS", "JA1", "JA"}});
  const std::string content = TableContent(connection, "Log");
  const bool sqlite = engine() == Engine::kSqlite;
  const long long changes = sqlite ? TotalChanges(connection) : 0;

  EXPECT_EQ(RebuildError("Log; DELETE FROM Log"),
            "Log table name 'Log; DELETE FROM Log' holds a statement separator; the query was not run");
  EXPECT_EQ(pump.calls, 0);
  if (sqlite) {
    EXPECT_EQ(TotalChanges(connection), changes);
  } else {
    // What the refusal prevents: the driver runs each statement of a batch.
    ASSERT_EQ(connection.ErrorOf("Select * from Log order by CallSign; create table Batch (a text)"), "");
    EXPECT_EQ(connection.ErrorOf("select * from Batch"), "");
  }
  EXPECT_EQ(TableContent(connection, "Log"), content);

  // The log is still whole for the next rebuild.
  EXPECT_EQ(RebuildError("Log"), "(no error)");
  EXPECT_EQ(tally.QsoCount(), 2);
}

TEST_P(RebuildFailureTest, NoConnectionIsReportedWhenOpening) {
  CreateLogTable(connection, "Log");
  OdbcQuery unattached("LogQuery", 0);
  WriteText(buffer.LogTable, "Log");
  try {
    RecalcFromLog(tally, buffer, unattached, pump, [] {});
    ADD_FAILURE() << "the rebuild ran without a connection";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Missing Connection or ConnectionString");
  }
  EXPECT_EQ(pump.calls, 0);
}

}  // namespace
}  // namespace zqt::test
