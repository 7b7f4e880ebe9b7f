// Entry points called from inside a rebuild, through the real host and DLL: at point 1, where the action lets
// waiting messages run before it disables its button, and at point 2, where the rebuild lets them run after
// its query has opened and before it reads a row. Each case is one host run over a log of three QSOs: one
// call at one point, during a click's rebuild or during the first show's rebuild inside _Run.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/host_runner.h"
#include "support/tally_model.h"

namespace zqt::test {
namespace {

const std::vector<Qso> kLog = {{"K1AA", "20m", "RTTY", "NA", "K1", "K"},
                               {"JA1AA", "15m", "RTTY", "AS", "JA1", "JA"},
                               {"DL1AA", "40m", "RTTY", "EU", "DL1", "DL"}};
// A QSO that is not in the log, of an entity and continent the log lacks.
const Qso kNotInLog = {"VK2XX", "20m", "RTTY", "OC", "VK2", "VK"};

enum class Rebuild { kClick, kFirstShow };
enum class Offered { kLogged, kNew };

struct PumpPointCase {
  const char* name;
  Rebuild rebuild;
  int point;
  const char* entry;
  Offered offered;
  // What the rules give. The answer of _GetScore or _AddQSO at the point: point 1 of a click's rebuild still
  // has the old tally (the log's), point 1 of a first show the new window's empty one, point 2 the tally the
  // rebuild has just emptied.
  int answer;
  // Whether the final report counts the new QSO beside the log's rows: only a QSO counted at point 2
  // survives, point 1's is wiped by the rebuild's clearing.
  bool new_counted;
  // _GetScore of the offered QSO once the rebuild is over (0 once the window is released).
  int answer_after;
};

class PumpPoints : public ::testing::TestWithParam<PumpPointCase> {};

TEST_P(PumpPoints, CallRunsThereAndAnswersAsTheRulesGive) {
  const PumpPointCase& c = GetParam();
  const Qso& offered = c.offered == Offered::kLogged ? kLog[0] : kNotInLog;
  std::string script;
  for (const Qso& q : kLog)
    script += QsoLine(q) + "insert\n";
  const std::string arm = "at-pump-point\t" + std::to_string(c.point) + "\t" + c.entry + "\n";
  if (c.rebuild == Rebuild::kClick)
    script += "run\n" + QsoLine(offered) + arm + "recalc\n";
  else
    script += QsoLine(offered) + arm + "run\n";
  script += "rebuilds\nstate\ngetscore\nrelease\nwait-gone\ndestroyed-report\n";

  HostFixture host;
  const HostRun run = host.Run(script);
  ASSERT_EQ(run.exit_code, 0) << run.output;

  // Where the call ran: before the rebuild disabled the button, or after, with the button still disabled.
  const std::string where = c.point == 1 ? " rebuilds=0 button-enabled=1" : " rebuilds=1 button-enabled=0";
  const std::string entry = c.entry;
  std::string call = entry + "=" + std::to_string(c.answer);
  if (entry == "run")
    call = "run=" + run.Value("run: window=");  // the handle of the window being rebuilt
  if (entry == "release")
    call = "release window-alive=1";  // _Release returns at once
  EXPECT_EQ(run.Value("pump-call: "), call + where) << run.output;

  // Neither a nested _Run nor anything else starts a second rebuild or a second window.
  EXPECT_TRUE(run.Printed("rebuilds: 1")) << run.output;
  if (entry != "release") {
    EXPECT_NE(run.Value("state: ").find(" windows=1"), std::string::npos) << run.output;
  }
  EXPECT_TRUE(run.Printed("getscore: " + std::to_string(c.answer_after))) << run.output;

  // The window went only after the rebuild and its report had finished: its button was enabled again, and it
  // showed the full report.
  EXPECT_TRUE(run.Printed("gone: yes")) << run.output;
  EXPECT_TRUE(run.Printed("destroyed: button-enabled=1")) << run.output;
  std::vector<Qso> counted = kLog;
  if (c.new_counted)
    counted.push_back(kNotInLog);
  EXPECT_EQ(run.Reports(), std::vector{ReportOf(counted)}) << run.output;
}

constexpr auto kClick = Rebuild::kClick;
constexpr auto kShow = Rebuild::kFirstShow;
constexpr auto kLogged = Offered::kLogged;
constexpr auto kNewQso = Offered::kNew;

INSTANTIATE_TEST_SUITE_P(
    EntryPoints, PumpPoints,
    ::testing::Values(
        PumpPointCase{"ClickPoint1GetScoreLogged", kClick, 1, "getscore", kLogged, -1, false, -1},
        PumpPointCase{"ClickPoint2GetScoreLogged", kClick, 2, "getscore", kLogged, 1, false, -1},
        PumpPointCase{"ShowPoint1GetScoreLogged", kShow, 1, "getscore", kLogged, 1, false, -1},
        PumpPointCase{"ShowPoint2GetScoreLogged", kShow, 2, "getscore", kLogged, 1, false, -1},
        PumpPointCase{"ClickPoint1AddQsoNew", kClick, 1, "addqso", kNewQso, 1, false, 1},
        PumpPointCase{"ClickPoint2AddQsoNew", kClick, 2, "addqso", kNewQso, 1, true, -1},
        PumpPointCase{"ShowPoint1AddQsoNew", kShow, 1, "addqso", kNewQso, 1, false, 1},
        PumpPointCase{"ShowPoint2AddQsoNew", kShow, 2, "addqso", kNewQso, 1, true, -1},
        // A logged QSO counted at point 2 is then skipped as a duplicate when its row is read: it counts
        // once.
        PumpPointCase{"ClickPoint1AddQsoLogged", kClick, 1, "addqso", kLogged, -1, false, -1},
        PumpPointCase{"ClickPoint2AddQsoLogged", kClick, 2, "addqso", kLogged, 1, false, -1},
        PumpPointCase{"ShowPoint2AddQsoLogged", kShow, 2, "addqso", kLogged, 1, false, -1},
        PumpPointCase{"ClickPoint1Run", kClick, 1, "run", kLogged, 0, false, -1},
        PumpPointCase{"ClickPoint2Run", kClick, 2, "run", kLogged, 0, false, -1},
        PumpPointCase{"ShowPoint1Run", kShow, 1, "run", kLogged, 0, false, -1},
        PumpPointCase{"ShowPoint2Run", kShow, 2, "run", kLogged, 0, false, -1},
        PumpPointCase{"ClickPoint1Release", kClick, 1, "release", kLogged, 0, false, 0},
        PumpPointCase{"ClickPoint2Release", kClick, 2, "release", kLogged, 0, false, 0},
        PumpPointCase{"ShowPoint1Release", kShow, 1, "release", kLogged, 0, false, 0},
        PumpPointCase{"ShowPoint2Release", kShow, 2, "release", kLogged, 0, false, 0}),
    [](const ::testing::TestParamInfo<PumpPointCase>& param_info) {
      return std::string(param_info.param.name);
    });

}  // namespace
}  // namespace zqt::test
