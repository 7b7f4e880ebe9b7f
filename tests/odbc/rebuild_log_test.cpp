// Rebuilds from SQLite and PostgreSQL logs through the driver manager: what gets counted, and the database
// left as it was.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rebuild_fixture.h"

namespace zqt::test {
namespace {

using RebuildLogTest = RebuildFixture;
INSTANTIATE_TEST_SUITE_P(Engines, RebuildLogTest, AllEngines(), EngineTestName);

// Text whose characters depend on their position, so a cut in the wrong place shows.
std::string Pattern(char first, std::size_t length) {
  std::string text(1, first);
  for (std::size_t i = 1; i < length; ++i)
    text += static_cast<char>('A' + (i * 7 + i / 26) % 26);
  return text;
}

TEST_P(RebuildLogTest, EmptyLogEmptiesTheTallyAndGivesTheAllZeroReport) {
  CreateLogTable(connection, "Log");
  TContestData live{};
  WriteText(live.CallSign, "DL1AA");
  tally.CountQSO(live);

  Rebuild("Log");
  EXPECT_EQ(tally.ShowStatistic(),
            ".\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t\r\n"
            "Total\t   0\t   0\t   0\t   0\t   0\t   0\t   0\t\r\n"
            " Score: 0*(0+0+0+0+0)*0= 0\r\n"
            "Cont(0)");
  EXPECT_EQ(tally.Worked().Count(), 0u);
  EXPECT_EQ(pump.calls, 1);
  EXPECT_EQ(report_clears, 1);
}

TEST_P(RebuildLogTest, RepeatedQsosCountOnceAndOtherBandsOrModesCountAgain) {
  CreateLogTable(connection, "Log");
  InsertQsos(connection, "Log",
             {{"K1AA", "20M", "RTTY", "NA", "K1", "K"},
              {"JA1XYZ", "15M", "RTTY", "AS", "JA1", "JA"},
              {"K1AA", "20M", "RTTY", "NA", "K1", "K"},
              {"K1AA", "40M", "RTTY", "NA", "K1", "K"},
              {"JA1XYZ", "15M", "RTTY", "AS", "JA1", "JA"},
              {"K1AA", "20M", "BPSK", "NA", "K1", "K"},
              {"K1AA", "20M", "RTTY", "NA", "K1", "K"}});
  Rebuild("Log");
  EXPECT_EQ(tally.QsoCount(), 4);
  EXPECT_EQ(tally.Worked().Count(), 4u);
  EXPECT_EQ(tally.ShowStatistic(),
            ".\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t\r\n"
            "Total\t   4\t   2\t   1\t   1\t   0\t   0\t   2\t\r\n"
            " Score: 4*(2+1+1+0+0)*2= 32\r\n"
            "Cont(2)\tAS\tNA");
}

TEST_P(RebuildLogTest, LowerCaseContinentIsCountedAndShownUpperCase) {
  CreateLogTable(connection, "Log");
  InsertQsos(connection, "Log",
             {{"DL1AA", "20M", "RTTY", "eu", "DL1", "DL"},
              {"G4BB", "20M", "RTTY", "Eu", "G4", "G"},
              {"W1AW", "20M", "RTTY", "na", "W1", "K"}});
  Rebuild("Log");
  EXPECT_EQ(tally.Continents().Items(), (std::vector<std::string>{"EU", "NA"}));
  const std::string report = tally.ShowStatistic();
  EXPECT_TRUE(report.ends_with("\r\nCont(2)\tEU\tNA")) << report;
  EXPECT_EQ(TextView(buffer.Continent), "NA");
}

TEST_P(RebuildLogTest, NullReadsAsEmptyAndLongValuesAreCutTo255) {
  const std::string long_call = Pattern('Z', 1000);
  const std::string long_report = Pattern('5', 1000);
  CreateLogTable(connection, "Log");
  InsertQsos(connection, "Log",
             {{"AA1A", "20M", "RTTY", "EU", "AA1", "DL"},
              {long_call, "20M", "RTTY", std::string(kNull), std::string(kNull), "K", long_report}});
  WriteText(buffer.CaptionPrefix, "Contest: ");

  Rebuild("Log");
  // The buffer holds the last row, each value cut to 255 characters; NULLs read as empty text.
  EXPECT_EQ(TextView(buffer.CallSign), long_call.substr(0, 255));
  EXPECT_EQ(TextView(buffer.QSOReportRecived), long_report.substr(0, 255));
  EXPECT_EQ(TextView(buffer.MainPrefix), "");
  EXPECT_EQ(TextView(buffer.Continent), "");
  EXPECT_EQ(TextView(buffer.DXCCPrefix), "K");
  EXPECT_EQ(TextView(buffer.DigiBand), "20M");
  EXPECT_EQ(TextView(buffer.LogTable), "Log");
  EXPECT_EQ(TextView(buffer.CaptionPrefix), "Contest: ");
  ASSERT_EQ(tally.QsoCount(), 2);
  EXPECT_EQ(tally.Worked()[1].Call, long_call.substr(0, 255));
  EXPECT_EQ(tally.WAreas().Items(), (std::vector<std::string>{""}));

  // A second rebuild counts the same log the same way.
  const std::string report = tally.ShowStatistic();
  Rebuild("Log");
  EXPECT_EQ(tally.ShowStatistic(), report);
  EXPECT_EQ(tally.Worked().Count(), 2u);
}

TEST_P(RebuildLogTest, RebuildWritesNothingToTheDatabase) {
  CreateLogTable(connection, "Log");
  InsertQsos(connection, "Log",
             {{"K1AA", "20M", "RTTY", "na", "K1", "K"},
              {"VE3XX", "40M", "RTTY", "NA", std::string(kNull), "VE"},
              {"K1AA", "20M", "RTTY", "NA", "K1", "K"}});
  const std::string content = TableContent(connection, "Log");
  // SQLite counts the connection's changes; on PostgreSQL a role that may only read proves the same
  // (RebuildPostgresTest).
  const bool sqlite = engine() == Engine::kSqlite;
  const long long changes = sqlite ? TotalChanges(connection) : 0;
  pump.on_call = [&] {
    if (sqlite) {
      EXPECT_EQ(TotalChanges(connection), changes);
    }
  };

  Rebuild("Log");
  Rebuild("Log");
  EXPECT_EQ(pump.calls, 2);
  EXPECT_EQ(tally.QsoCount(), 2);
  if (sqlite) {
    EXPECT_EQ(TotalChanges(connection), changes);
  }
  EXPECT_EQ(TableContent(connection, "Log"), content);
}

}  // namespace
}  // namespace zqt::test
