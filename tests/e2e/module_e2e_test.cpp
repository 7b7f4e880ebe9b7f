// The real DLL driven through the real host: real window, message loop, ODBC, SQLite and message boxes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/tally.h"
#include "support/qso_fixture.h"
#include "support/user_collation.h"
#include "support/host_runner.h"

namespace zqt::test {
namespace {

struct Q {
  std::string call, band, mode, continent, main_prefix, dxcc;
};

std::string QsoLine(const Q& q) {
  return "qso\t" + q.call + "\t" + q.band + "\t" + q.mode + "\t" + q.continent + "\t" + q.main_prefix + "\t" +
         q.dxcc + "\n";
}

// The report blocks the host printed, each with its lines joined by LF.
std::vector<std::string> ReportsOf(const HostRun& run) {
  std::vector<std::string> reports;
  bool inside = false;
  for (const std::string& line : run.Lines()) {
    if (line == "end report")
      inside = false;
    if (inside)
      reports.back() += (reports.back().empty() ? "" : "\n") + line;
    if (line == "report:") {
      inside = true;
      reports.emplace_back();
    }
  }
  return reports;
}

std::string ReportOf(const HostRun& run) {
  const std::vector<std::string> reports = ReportsOf(run);
  return reports.empty() ? "(no report)" : reports.front();
}

class ModuleEndToEnd : public ::testing::Test {
 protected:
  HostRun Run(const std::string& script) {
    HostRun run = host.Run(script);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    return run;
  }
  HostFixture host;
};

TEST_F(ModuleEndToEnd, IdentityAndNumberText) {
  const HostRun run = Run("info\ngrab\n");
  EXPECT_TRUE(run.Printed("info: name=ZQT RTTY Contest kind=1 key=kelvor_contest version=1")) << run.output;
  EXPECT_TRUE(run.Printed("info-untouched: yes")) << run.output;
  EXPECT_TRUE(run.Printed("grab: len=0")) << run.output;
}

TEST_F(ModuleEndToEnd, QsoCallsWithoutAWindowAnswerZeroAndReleaseJustReturns) {
  const HostRun run =
      Run(QsoLine({"K1AA", "20m", "RTTY", "NA", "K1", "K"}) + "getscore\naddqso\nrelease\nstate\ngrab\n");
  EXPECT_TRUE(run.Printed("getscore: 0")) << run.output;
  EXPECT_TRUE(run.Printed("addqso: 0")) << run.output;
  EXPECT_EQ(run.Value("state: exists="), "0 visible=0 iconic=0 button-enabled=0 caption= topmost=0 windows=0")
      << run.output;
}

TEST_F(ModuleEndToEnd, CountsDupesAndRunsOneWindow) {
  const std::string qso = QsoLine({"K1AA", "20m", "RTTY", "NA", "K1", "K"});
  const HostRun run = Run(qso + "run\nrun\naddqso\ngetscore\naddqso\nstate\nrelease\nwait-gone\n");
  const std::vector<std::string> lines = run.Lines();
  std::vector<std::string> runs;
  std::vector<std::string> answers;
  for (const std::string& l : lines) {
    if (l.starts_with("run: "))
      runs.push_back(l);
    if (l.starts_with("addqso: ") || l.starts_with("getscore: "))
      answers.push_back(l);
  }
  ASSERT_EQ(runs.size(), 2u) << run.output;
  EXPECT_EQ(runs[0], runs[1]);
  EXPECT_EQ(answers, (std::vector<std::string>{"addqso: 1", "getscore: -1", "addqso: -1"}));
  EXPECT_NE(run.Value("state: ").find("windows=1"), std::string::npos) << run.output;
  EXPECT_TRUE(run.Printed("gone: yes")) << run.output;
}

TEST_F(ModuleEndToEnd, DuplicateAddQsoRewritesTheReport) {
  const HostRun run = Run("run\n" + QsoLine({"K1AA", "20m", "RTTY", "NA", "K1", "K"}) +
                          "log\nreport\ntype\tjunk\nreport\naddqso\nreport\nrelease\nwait-gone\n");
  EXPECT_TRUE(run.Printed("addqso: -1")) << run.output;
  const std::vector<std::string> reports = ReportsOf(run);
  ASSERT_EQ(reports.size(), 3u) << run.output;
  EXPECT_EQ(reports[1], "junk");
  EXPECT_NE(reports[0].find("Score: 1*(1+0+1+0+0)*1= 2"), std::string::npos) << reports[0];
  EXPECT_EQ(reports[2], reports[0]);
}

TEST_F(ModuleEndToEnd, CaptionAndWindowStyle) {
  const HostRun run = Run("caption\t\nrun\nstate\nrelease\nwait-gone\n");
  EXPECT_EQ(run.Value("state: "),
            "exists=1 visible=1 iconic=0 button-enabled=1 caption= in ZQT RTTY Contest topmost=1 windows=1")
      << run.output;
}

TEST_F(ModuleEndToEnd, ReplayReportEqualsTheCoresReportForTheSameQsos) {
  const std::vector<Q> qsos = {
      {"JA1ABC", "20m", "RTTY", "AS", "JA1", "JA"}, {"7N2UQC", "15m", "RTTY", "AS", "JA2", "JA"},
      {"K1AA", "20m", "RTTY", "NA", "K1", "K"},     {"K1AA", "20m", "RTTY", "NA", "K1", "K"},
      {"N6XX", "40m", "RTTY", "NA", "K6", "K"},     {"VE3XX", "20m", "RTTY", "NA", "VE3", "VE"},
      {"VK4SN", "15m", "RTTY", "OC", "VK4", "VK"},  {"DL1ABC", "20m", "RTTY", "EU", "DL1", "DL"},
      {"dl1abc", "20m", "RTTY", "EU", "DL1", "DL"}, {"PY2AA", "10m", "RTTY", "SA", "PY2", "PY"},
      {"JA1ABC", "20m", "CW", "AS", "JA1", "JA"},   {"ZS6AA", "15m", "RTTY", "AF", "ZS6", "ZS"},
  };
  std::string script = "run\n";
  Tally expected(UserCollation());
  for (const Q& q : qsos) {
    script += QsoLine(q) + "log\n";
    const TContestData record = test::Record({q.call, q.band, q.mode, q.continent, q.main_prefix, q.dxcc});
    if (expected.CheckQSO(record, true) > 0)
      expected.SortWorked();
  }
  // A second window over the same log rebuilds the same tally from the database.
  script += "report\nrelease\nwait-gone\nrun\nreport\nrelease\nwait-gone\n";
  const HostRun run = Run(script);
  std::string want = expected.ShowStatistic();
  for (std::size_t at; (at = want.find("\r\n")) != std::string::npos;)
    want.replace(at, 2, "\n");
  EXPECT_NE(want.find("Score: 11*(7+2+2+1+1)*6= 858"), std::string::npos) << want;
  EXPECT_EQ(ReportsOf(run), (std::vector<std::string>{want, want})) << run.output;
}

TEST_F(ModuleEndToEnd, CloseBoxMinimisesAndKeepsTheTally) {
  const std::string script = "run\n" + QsoLine({"K1AA", "20m", "RTTY", "NA", "K1", "K"}) +
                             "log\nsyscommand\tF060\npump\t200\nstate\n" +
                             QsoLine({"K2AA", "20m", "RTTY", "NA", "K2", "K"}) +
                             "addqso\nreport\nrelease\nwait-gone\n";
  const HostRun run = Run(script);
  EXPECT_EQ(run.Value("state: exists=1 visible=1 iconic="),
            "1 button-enabled=1 caption=zqtdriver in ZQT RTTY Contest "
            "topmost=1 windows=1")
      << run.output;
  EXPECT_TRUE(run.Printed("addqso: 1")) << run.output;
  EXPECT_NE(ReportOf(run).find("Score: 2*(1+0+2+0+0)*1= 6"), std::string::npos) << run.output;
}

TEST_F(ModuleEndToEnd, CloseRequestOfAnotherKindReleasesTheWindow) {
  const HostRun run = Run("run\nsyscommand\tF061\npump\t200\nstate\n" +
                          QsoLine({"K1AA", "20m", "RTTY", "NA", "K1", "K"}) + "getscore\nrelease\n");
  EXPECT_NE(run.Value("state: ").find("exists=0"), std::string::npos) << run.output;
  EXPECT_TRUE(run.Printed("getscore: 0")) << run.output;
}

TEST_F(ModuleEndToEnd, DatabaseErrorOnFirstShowLeavesTheWindowOpenWithTheButtonEnabled) {
  const HostRun run = Run("table\tNoSuchLog\nrun\npump\t200\nstate\nreport\nrelease\nwait-gone\n");
  // The engine's own message, as the driver words it.
  EXPECT_NE(run.Value("box: zqtdriver|").find("no such table: NoSuchLog"), std::string::npos) << run.output;
  EXPECT_EQ(run.Value("state: exists=1 visible=1 iconic=0 button-enabled="),
            "1 caption=zqtdriver in ZQT RTTY Contest topmost=1 windows=1")
      << run.output;
  EXPECT_EQ(ReportOf(run), "");
}

TEST_F(ModuleEndToEnd, MissingColumnIsReportedByName) {
  const HostRun run = Run(
      "sql\tCREATE TABLE Thin (CallSign TEXT, DigiBand TEXT)\nsql\tINSERT INTO Thin VALUES ('K1AA', '20m')\n"
      "table\tThin\nrun\npump\t100\nrelease\nwait-gone\n");
  EXPECT_TRUE(run.Printed("box: zqtdriver|LogQuery: Field 'QSOReportRecived' not found.")) << run.output;
}

TEST_F(ModuleEndToEnd, BatchTableNameIsRefusedAndTheLogKept) {
  const std::string qso = QsoLine({"K1AA", "20m", "RTTY", "NA", "K1", "K"});
  const HostRun run =
      Run("run\n" + qso + "log\nrelease\nwait-gone\ntable\tLog; DELETE FROM Log\nrun\npump\t100\n" +
          "release\nwait-gone\ntable\tLog\nrun\nreport\nrelease\nwait-gone\n");
  EXPECT_NE(
      run.output.find("box: zqtdriver|Log table name 'Log; DELETE FROM Log' holds a statement separator"),
      std::string::npos)
      << run.output;
  EXPECT_NE(ReportOf(run).find("Total\t   1\t"), std::string::npos) << run.output;
}

TEST_F(ModuleEndToEnd, ReleaseDuringARebuildDestroysTheWindowOnlyAfterIt) {
  std::string script = "run\n";
  for (int i = 0; i < 50; ++i)
    script += QsoLine({"W" + std::to_string(i) + "AA", "20m", "RTTY", "NA", "K1", "K"}) + "insert\n";
  script += "release-during-rebuild\nwait-gone\nstate\n";
  const HostRun run = Run(script);
  EXPECT_TRUE(run.Printed("release-during-rebuild: window-alive-after-release=1")) << run.output;
  EXPECT_TRUE(run.Printed("gone: yes")) << run.output;
}

}  // namespace
}  // namespace zqt::test
