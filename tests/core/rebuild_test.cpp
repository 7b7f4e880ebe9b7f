#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/rebuild.h"
#include "support/counting_pump.h"
#include "support/fake_query.h"
#include "support/qso_fixture.h"
#include "support/user_collation.h"

namespace zqt {
namespace {

using test::FakeQuery;
using test::RowOf;

class RebuildTest : public ::testing::Test {
 protected:
  RebuildTest() { WriteText(buffer.LogTable, "Log"); }
  // The text of the error the rebuild raised, or "(no error)".
  std::string Rebuild(FakeQuery& query) {
    try {
      RecalcFromLog(tally, buffer, query, pump, [&] {
        ++clears;
        EXPECT_EQ(tally.Worked().Count(), 0u);
      });
    } catch (const Error& e) {
      return e.what();
    }
    return "(no error)";
  }
  Tally tally{test::UserCollation()};
  TContestData buffer{};
  test::CountingPump pump;
  int clears = 0;
};

TEST_F(RebuildTest, EmptiesTheTallyRunsTheStatementAndStoresEachRowAsTheRecordKeepsIt) {
  tally.CountQSO(test::Record({"DL1AA", "20m", "RTTY", "EU", "DL1", "DL"}));
  // A table name with a space goes to the engine unquoted; it answers for it.
  WriteText(buffer.LogTable, "My Log");
  FakeQuery query({RowOf({"K1AA", "20m", "RTTY", "na", "K1", "K"}),
                   RowOf({"K1AA", "20m", "RTTY", "NA", "K1", "K"}),
                   RowOf({"VE3XX", "20m", "RTTY", "eu", "VE3", "VE"}),
                   RowOf({std::string(300, 'K'), "20m", "RTTY", "`a\xE9z{", "K1", "K"})});
  pump.on_call = [&] {
    EXPECT_EQ(query.open_cursors, 1) << "messages run once the statement has opened";
    EXPECT_EQ(query.rows_read, 0u) << "and before a row is read";
  };
  EXPECT_EQ(Rebuild(query), "(no error)");
  EXPECT_EQ(query.sql, "Select * from My Log order by CallSign");
  EXPECT_EQ(query.opens, 1);
  EXPECT_EQ(query.open_cursors, 0);
  EXPECT_EQ(pump.calls, 1);
  EXPECT_EQ(clears, 1);
  // The repeated row counts once; continents arrive upper-cased (ASCII letters only).
  EXPECT_EQ(tally.QsoCount(), 3);
  EXPECT_EQ(tally.Entities().Items(), (std::vector<std::string>{"K", "VE"}));
  const std::vector<std::string>& continents = tally.Continents().Items();
  EXPECT_EQ(std::set(continents.begin(), continents.end()), (std::set<std::string>{"EU", "NA", "`A\xE9Z{"}));
  // The buffer holds the last row, each value cut at 255 characters.
  EXPECT_EQ(TextView(buffer.CallSign), std::string(255, 'K'));
  EXPECT_EQ(TextView(buffer.Continent), "`A\xE9Z{");
  EXPECT_EQ(TextView(buffer.QSOReportRecived), "599");
  EXPECT_EQ(TextView(buffer.LogTable), "My Log");
}

// What a failed rebuild raised, what it had counted by then, and the statement gone however it ended.
TEST_F(RebuildTest, ErrorsPropagateLeavingWhatWasCounted) {
  const std::vector<test::LogRow> two = {RowOf({"K1AA", "20m", "RTTY", "NA", "K1", "K"}),
                                         RowOf({"K2AA", "20m", "RTTY", "NA", "K2", "K"})};
  struct Case {
    std::vector<test::LogRow> rows;
    std::uint8_t missing;   // bit i: kModuleColumns[i]
    std::uint32_t fail_at;  // Open is call 1, each Next one more
    std::string table;
    std::string error;
    std::int64_t counted;
    int pumps;
  };
  const std::string refused = "' holds a statement separator; the query was not run";
  const Case cases[] = {
      {two, 0, 1, "Log", test::kLostConnection, 0, 0},
      {two, 0, 3, "Log", test::kLostConnection, 1, 1},
      // The first column missing in the reading order is named, at the first row; an empty log misses none.
      {two, 1 << 2 | 1 << 6, 0, "Log", "LogQuery: Field 'MainPrefix' not found", 0, 1},
      {{}, 1 << 2, 0, "Log", "(no error)", 0, 1},
      {two, 0, 0, "Log; DELETE FROM Log", "Log table name 'Log; DELETE FROM Log" + refused, 0, 0},
      {two, 0, 0, std::string("Log\0x", 5), "Log table name 'Log" + refused, 0, 0},
      {two, 0, 0, "Log\nDELETE", "Log table name 'Log\nDELETE" + refused, 0, 0},
      {two, 0, 0, "Log\r", "Log table name 'Log\r" + refused, 0, 0},
  };
  for (const Case& c : cases) {
    pump.calls = 0;
    WriteText(buffer.LogTable, c.table);
    FakeQuery query(c.rows, c.missing);
    query.FailAt(c.fail_at);
    EXPECT_EQ(Rebuild(query), c.error);
    EXPECT_EQ(tally.QsoCount(), c.counted) << c.error;
    EXPECT_EQ(pump.calls, c.pumps) << c.error;
    EXPECT_EQ(query.opens, c.error.starts_with("Log table") ? 0 : 1) << c.error;
    EXPECT_EQ(query.open_cursors, 0) << c.error;
  }
}

TEST_F(RebuildTest, RowsOutOfOrdinalOrderCountLikeTheSortedLog) {
  // A linguistic collation puts "k1aa" between "K1A" and "K1AB"; the repeat of K1AB must still be a dupe.
  FakeQuery linguistic(
      {RowOf({"K1A", "20m", "RTTY", "NA", "K1", "K"}), RowOf({"k1aa", "20m", "RTTY", "NA", "K1", "K"}),
       RowOf({"K1AB", "20m", "RTTY", "NA", "K1", "K"}), RowOf({"K1AB", "20m", "RTTY", "NA", "K1", "K"})});
  Rebuild(linguistic);
  EXPECT_EQ(tally.QsoCount(), 3);
}

}  // namespace
}  // namespace zqt
