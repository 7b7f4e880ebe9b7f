// The real DLL driven through the test driver: real window, message loop, ODBC, SQLite and message boxes.
// Each case is a script and all the driver must print for it, the answers and reports as the tests' model
// counts them.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/host_runner.h"
#include "support/tally_model.h"
#include "support/user_collation.h"

namespace zqt::test {
namespace {

const Qso kK1aa = {"K1AA", "20m", "RTTY", "NA", "K1", "K"};
const Qso kK2aa = {"K2AA", "20m", "RTTY", "NA", "K2", "K"};
constexpr const char* kOpenState =
    "state: exists=1 visible=1 iconic=0 button-enabled=1 caption=zqtdriver in ZQT RTTY Contest topmost=1 "
    "windows=1";
constexpr const char* kNoWindowState =
    "state: exists=0 visible=0 iconic=0 button-enabled=0 caption= topmost=0 windows=0";

struct ScriptCase {
  const char* name;
  std::string script;
  std::vector<std::string> output;  // every line, as HostRun::ComparableLines gives them
};

void PrintTo(const ScriptCase& tested, std::ostream* out) {
  *out << tested.name;
}

// The pieces of an output, one after the other.
std::vector<std::string> Output(std::initializer_list<std::vector<std::string>> pieces) {
  std::vector<std::string> lines;
  for (const std::vector<std::string>& piece : pieces)
    lines.insert(lines.end(), piece.begin(), piece.end());
  return lines;
}

// Each QSO logged as a logging program logs it, answered as the model counts them, and the report after them
// all; then the same QSOs rebuilt from the log by a second window.
ScriptCase LoggedAndRebuilt() {
  const std::vector<Qso> qsos = {{"JA1ABC", "20m", "RTTY", "AS", "JA1", "JA"},
                                 {"7N2UQC", "15m", "RTTY", "AS", "JA2", "JA"},
                                 kK1aa,
                                 kK1aa,
                                 {"N6XX", "40m", "RTTY", "NA", "K6", "K"},
                                 {"VE3XX", "20m", "RTTY", "NA", "VE3", "VE"},
                                 {"VK4SN", "15m", "RTTY", "OC", "VK4", "VK"},
                                 {"DL1ABC", "20m", "RTTY", "EU", "DL1", "DL"},
                                 {"dl1abc", "20m", "RTTY", "EU", "DL1", "DL"},
                                 {"PY2AA", "10m", "RTTY", "SA", "PY2", "PY"},
                                 {"JA1ABC", "20m", "CW", "AS", "JA1", "JA"},
                                 {"ZS6AA", "15m", "RTTY", "AF", "ZS6", "ZS"}};
  ScriptCase logged{"LoggedQsosAndTheirRebuildGiveTheModelsReport", "run\n", {"run: window=live"}};
  TallyModel model(UserCollation());
  for (const Qso& q : qsos) {
    logged.script += QsoLine(q) + "log\n";
    const std::string qso = q.call + " " + q.band + " " + q.mode;
    const std::string answer = std::to_string(model.Offer(q, false));
    logged.output.push_back("qso: " + qso);
    if (answer == "-1")
      logged.output.push_back("dupe: " + qso);
    logged.output.push_back("log: getscore=" + answer + " addqso=" + std::to_string(model.Offer(q)));
  }
  logged.script += "report\nrelease\nwait-gone\nrun\nreport\nrelease\nwait-gone\n";
  const std::vector<std::string> report = ReportLines(model.Report());
  logged.output = Output({logged.output,
                          report,
                          {"release: done", "gone: yes", "run: window=live"},
                          report,
                          {"release: done", "gone: yes", "released"}});
  return logged;
}

std::vector<ScriptCase> Cases() {
  const std::string qso = QsoLine(kK1aa);
  const std::vector<std::string> one_qso = ReportLines(ReportOf(std::vector{kK1aa}));
  return {
      {"IdentityAndNumberText",
       "info\ngrab\n",
       {"info: name=ZQT RTTY Contest kind=1 key=kelvor_contest version=1", "info-untouched: yes",
        "grab: len=0", "released"}},
      {"QsoCallsWithoutAWindowAnswerZeroAndReleaseJustReturns",
       qso + "getscore\naddqso\nrelease\nstate\ngrab\n",
       {"qso: K1AA 20m RTTY", "getscore: 0", "addqso: 0", "release: done", kNoWindowState, "grab: len=0",
        "released"}},
      // A second _Run gives the same window; a duplicate is answered -1 and the report rewritten over typing.
      {"OneWindowCountsOnceAndRewritesTheReportForADupe",
       qso + "run\nrun\naddqso\ngetscore\nreport\ntype\tjunk\nreport\naddqso\nreport\nstate\nrelease\nwait-"
             "gone\n",
       Output({{"qso: K1AA 20m RTTY", "run: window=live", "run: window=same", "addqso: 1", "getscore: -1"},
               one_qso,
               {"type: done", "report:", "junk", "end report", "addqso: -1"},
               one_qso,
               {kOpenState, "release: done", "gone: yes", "released"}})},
      {"CaptionAndWindowStyle",
       "caption\t\nrun\nstate\nrelease\nwait-gone\n",
       {"caption: ", "run: window=live",
        "state: exists=1 visible=1 iconic=0 button-enabled=1 caption= in ZQT RTTY Contest topmost=1 "
        "windows=1",
        "release: done", "gone: yes", "released"}},
      LoggedAndRebuilt(),
      {"CloseBoxMinimisesAndKeepsTheTally",
       "run\n" + qso + "log\nsyscommand\tF060\npump\t200\nstate\n" + QsoLine(kK2aa) +
           "addqso\nreport\nrelease\nwait-gone\n",
       Output({{"run: window=live", "qso: K1AA 20m RTTY", "log: getscore=1 addqso=1", "syscommand: posted",
                "pump: 200",
                "state: exists=1 visible=1 iconic=1 button-enabled=1 caption=zqtdriver in ZQT RTTY Contest "
                "topmost=1 windows=1",
                "qso: K2AA 20m RTTY", "addqso: 1"},
               ReportLines(ReportOf(std::vector{kK1aa, kK2aa})),
               {"release: done", "gone: yes", "released"}})},
      {"CloseRequestOfAnotherKindReleasesTheWindow",
       "run\nsyscommand\tF061\npump\t200\nstate\n" + qso + "getscore\nrelease\n",
       {"run: window=live", "syscommand: posted", "pump: 200", kNoWindowState, "qso: K1AA 20m RTTY",
        "getscore: 0", "release: done", "released"}},
      // The engine's own message, as the driver words it (no full stop after a bracket); the window stays
      // open with its button enabled.
      {"DatabaseErrorOnFirstShowLeavesTheWindowOpen",
       "table\tNoSuchLog\nrun\npump\t200\nstate\nreport\nrelease\nwait-gone\n",
       {"table: NoSuchLog", "box: zqtdriver|[SQLite]no such table: NoSuchLog (1)", "run: window=live",
        "pump: 200", kOpenState, "report:", "end report", "release: done", "gone: yes", "released"}},
      {"BatchTableNameIsRefusedAndTheLogKept",
       "run\n" + qso + "log\nrelease\nwait-gone\ntable\tLog; DELETE FROM Log\nrun\npump\t100\n" +
           "release\nwait-gone\ntable\tLog\nrun\nreport\nrelease\nwait-gone\n",
       Output(
           {{"run: window=live", "qso: K1AA 20m RTTY", "log: getscore=1 addqso=1", "release: done",
             "gone: yes", "table: Log; DELETE FROM Log",
             "box: zqtdriver|Log table name 'Log; DELETE FROM Log' holds a statement separator; "
             "the query was not run.",
             "run: window=live", "pump: 100", "release: done", "gone: yes", "table: Log", "run: window=live"},
            one_qso,
            {"release: done", "gone: yes", "released"}})},
      // A module key the user may not open: the window works, nothing is said, and nothing is written in its
      // place, such as directly below HKEY_CURRENT_USER.
      {"ModuleKeyThatCannotBeOpenedStaysSilentAndWritesNowhere",
       "reg-lock-key\nrun\npump\t200\nclose\nwait-gone\nreg-dump\tHKCU\nreg-delete-key\n",
       {"reg-lock-key: done", "run: window=live", "pump: 200", "close: window=alive", "gone: yes",
        "reg: none", "reg-delete-key: done", "released"}},
      // A release made while the close request's error box is open waits until the close handling has
      // returned; the destroy handling then tries the save once more.
      {"ReleaseWhileTheCloseRequestsErrorBoxIsOpenWaitsForIt",
       "reg-volatile-key\nrun\npump\t200\nat-pump-point\t3\trelease\nclose\nwait-gone\nreg-delete-key\n",
       {"reg-volatile-key: done", "run: window=live", "pump: 200", "at-pump-point: 3 release",
        "pump-call: release window-alive=1 rebuilds=0 button-enabled=1",
        "box: zqtdriver|Failed to create key TfmMainForm.", "close: window=alive",
        "box: zqtdriver|Failed to create key TfmMainForm.", "gone: yes", "reg-delete-key: done", "released"}},
  };
}

class ModuleScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ModuleScript, PrintsWhatTheRulesGive) {
  const HostRun run = HostFixture().Run(GetParam().script);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(run.ComparableLines(), GetParam().output) << run.output;
}

INSTANTIATE_TEST_SUITE_P(Module, ModuleScript, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<ScriptCase>& tested) {
                           return std::string(tested.param.name);
                         });

}  // namespace
}  // namespace zqt::test
