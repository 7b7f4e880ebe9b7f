#include <gtest/gtest.h>

#include "core/error.h"
#include "core/rebuild.h"
#include "support/user_collation.h"
#include "support/counting_pump.h"
#include "support/fake_query.h"
#include "support/qso_fixture.h"

namespace zqt {
namespace {

using test::CountingPump;
using test::FakeQuery;
using test::LogRow;
using test::UserCollation;

class RebuildTest : public ::testing::Test {
 protected:
  RebuildTest() { WriteText(buffer.LogTable, "Log"); }
  void Rebuild(FakeQuery& query) {
    RecalcFromLog(tally, buffer, query, pump, [&] {
      ++clears;
      EXPECT_EQ(tally.Worked().Count(), 0u);
    });
  }
  Tally tally{UserCollation()};
  TContestData buffer{};
  CountingPump pump;
  int clears = 0;
};

TEST_F(RebuildTest, RunsTheStatementReadsTheSevenColumnsInOrderAndCloses) {
  FakeQuery query({LogRow("K1AA", "20m", "RTTY", "na", "K1", "K"),
                   LogRow("K1AA", "20m", "RTTY", "NA", "K1", "K"),
                   LogRow("VE3XX", "20m", "RTTY", "eu", "VE3", "VE")});
  Rebuild(query);
  EXPECT_EQ(query.sql, "Select * from Log order by CallSign");
  EXPECT_EQ(query.calls, (std::vector<std::string>{"Open", "Close"}));
  EXPECT_EQ(pump.calls, 1);
  EXPECT_EQ(clears, 1);
  const std::vector<std::string> order{"QSOReportRecived", "DXCCPrefix", "MainPrefix", "CallSign",
                                       "DigiBand",         "QSOMode",    "Continent"};
  ASSERT_EQ(query.reads.size(), 21u);
  EXPECT_TRUE(std::equal(order.begin(), order.end(), query.reads.begin()));
  // The repeated row counts once; continents arrive upper-cased (ASCII letters only).
  EXPECT_EQ(tally.QsoCount(), 2);
  EXPECT_EQ(tally.Continents().Items(), (std::vector<std::string>{"EU", "NA"}));
  // The buffer holds the last row.
  EXPECT_EQ(TextView(buffer.CallSign), "VE3XX");
  EXPECT_EQ(TextView(buffer.QSOReportRecived), "599");
  EXPECT_EQ(TextView(buffer.LogTable), "Log");
}

TEST_F(RebuildTest, EmptiesTheTallyAndClosesAnOpenQueryFirst) {
  tally.CheckQSO(test::Record({"DL1AA", "20m", "RTTY", "EU", "DL1", "DL"}), true);
  FakeQuery query({});
  query.Open();
  query.calls.clear();
  Rebuild(query);
  EXPECT_EQ(query.calls, (std::vector<std::string>{"Close", "Open", "Close"}));
  EXPECT_EQ(tally.QsoCount(), 0);
  EXPECT_EQ(tally.Entities().Count(), 0u);
}

TEST_F(RebuildTest, UpperCasesOnlyAsciiLettersAndCutsValuesAt255) {
  FakeQuery query({LogRow(std::string(300, 'K'), "20m", "RTTY", "e\xE9u", "K1", "K")});
  Rebuild(query);
  EXPECT_EQ(TextView(buffer.Continent), "E\xE9U");
  EXPECT_EQ(TextView(buffer.CallSign), std::string(255, 'K'));
}

TEST_F(RebuildTest, ErrorsPropagateLeaveWhatWasCountedAndCloseTheQuery) {
  test::Row broken = LogRow("K2AA", "20m", "RTTY", "NA", "K2", "K");
  broken.erase("MainPrefix");
  FakeQuery query({LogRow("K1AA", "20m", "RTTY", "NA", "K1", "K"), broken});
  EXPECT_THROW(
      {
        try {
          Rebuild(query);
        } catch (const Error& e) {
          EXPECT_STREQ(e.what(), "LogQuery: Field 'MainPrefix' not found");
          throw;
        }
      },
      Error);
  EXPECT_EQ(tally.QsoCount(), 1);
  // The statement does not outlive the failed rebuild.
  EXPECT_FALSE(query.Active());
  EXPECT_EQ(query.calls, (std::vector<std::string>{"Open", "Close"}));

  FakeQuery refused({});
  refused.open_error = "no such table: Log";
  EXPECT_THROW(Rebuild(refused), Error);
  EXPECT_FALSE(refused.Active());
}

TEST_F(RebuildTest, RefusesATableNameThatWouldRunMoreThanOneStatement) {
  for (const std::string& name :
       std::vector<std::string>{"Log; DELETE FROM Log", std::string("Log\0x", 5), "Log\nDELETE", "Log\r"}) {
    WriteText(buffer.LogTable, name);
    FakeQuery query({});
    EXPECT_THROW(Rebuild(query), Error) << name;
    EXPECT_TRUE(query.calls.empty());
    EXPECT_TRUE(query.sql.empty());
  }
  // A name with a space goes through unquoted; the engine answers for it.
  EXPECT_EQ(LogStatement("my log"), "Select * from my log order by CallSign");
}

TEST_F(RebuildTest, RowsOutOfOrdinalOrderCountLikeTheSortedLog) {
  // A linguistic collation puts "k1aa" between "K1A" and "K1AB"; the repeat of K1AB must still be a dupe.
  FakeQuery linguistic(
      {LogRow("K1A", "20m", "RTTY", "NA", "K1", "K"), LogRow("k1aa", "20m", "RTTY", "NA", "K1", "K"),
       LogRow("K1AB", "20m", "RTTY", "NA", "K1", "K"), LogRow("K1AB", "20m", "RTTY", "NA", "K1", "K")});
  Rebuild(linguistic);
  EXPECT_EQ(tally.QsoCount(), 3);
}

}  // namespace
}  // namespace zqt
