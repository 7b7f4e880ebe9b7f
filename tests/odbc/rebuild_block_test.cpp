// The rebuild as the window runs it, with the log's rows fetched in blocks, against the same rebuild reading
// row by row: the same tally, report and buffer, whatever falls on a block's edge, on SQLite and PostgreSQL.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/rebuild.h"
#include "core/tally.h"
#include "odbc/odbc_query.h"
#include "support/counting_pump.h"
#include "support/log_database.h"
#include "support/log_table.h"
#include "support/user_collation.h"

namespace zqt::test {
namespace {

struct Outcome {
  std::string report;
  std::vector<std::string> worked;  // call band mode, in the list's order
  TContestData buffer{};
};

Outcome RebuildWith(const OdbcConnection& connection, std::size_t block_rows) {
  Tally tally(UserCollation());
  OdbcQuery query("LogQuery", connection.RecordValue(), block_rows);
  CountingPump pump;
  Outcome outcome;
  WriteText(outcome.buffer.LogTable, "Log");
  RecalcFromLog(tally, outcome.buffer, query, pump, [] {});
  outcome.report = tally.ShowStatistic();
  for (std::size_t i = 0; i < tally.Worked().Count(); ++i) {
    const TQSO q = tally.Worked()[i];
    outcome.worked.push_back(std::string(q.Call) + " " + std::string(q.Band) + " " + std::string(q.Mode));
  }
  return outcome;
}

using RebuildBlockTest = EngineTest;
INSTANTIATE_TEST_SUITE_P(Engines, RebuildBlockTest, AllEngines(), EngineTestName);

TEST_P(RebuildBlockTest, BlocksCountExactlyLikeRowByRowReads) {
  CreateLogTable(connection, "Log");
  std::vector<Qso> rows;
  // 700 rows: repeats of a call fall on both sides of the 256-row block edges, so the duplicate check meets
  // them across blocks.
  for (int i = 0; i < 700; ++i) {
    char call[16];
    std::snprintf(call, sizeof call, "%s%d%c%c", i % 3 ? "JA" : "K", i % 10, 'A' + (i / 7) % 26, 'A' + i % 7);
    const std::string prefix = i % 3 ? "JA" : "K";
    rows.push_back({call, i % 4 ? "20M" : "15M", "RTTY", i % 5 ? "AS" : "na", prefix + std::to_string(i % 10),
                    prefix, "599"});
  }
  // A NULL main prefix and continent, a call of exactly 255 characters, and one longer, cut in the buffer.
  rows.push_back({"VK2XX", "40M", "RTTY", std::string(kNull), std::string(kNull), "VK"});
  rows.push_back({"W" + std::string(254, 'X'), "20M", "RTTY", "NA", "K1", "K"});
  rows.push_back({"W" + std::string(299, 'Y'), "20M", "RTTY", "NA", "K1", "K"});
  rows.push_back({"W" + std::string(299, 'Y'), "20M", "RTTY", "NA", "K1", "K"});
  InsertQsos(connection, "Log", rows);

  const Outcome by_row = RebuildWith(connection, 1);
  const Outcome by_block = RebuildWith(connection, OdbcQuery::kBlockRows);
  EXPECT_EQ(by_block.report, by_row.report);
  EXPECT_EQ(by_block.worked, by_row.worked);
  EXPECT_EQ(std::memcmp(&by_block.buffer, &by_row.buffer, sizeof(TContestData)), 0);
  // The NULL continent counts as an empty one, "na" as "NA".
  EXPECT_NE(by_block.report.find("Cont(3)\t\tAS\tNA"), std::string::npos) << by_block.report;
  ASSERT_FALSE(by_block.worked.empty());
  EXPECT_EQ(by_block.worked.back(), "W" + std::string(254, 'Y') + " 20M RTTY");
  EXPECT_EQ(TextView(by_block.buffer.CallSign), "W" + std::string(254, 'Y'));
}

}  // namespace
}  // namespace zqt::test
