// Faults injected into the real DLL through the real host: windows that cannot be built, a close request
// while the window is built, and a module unloaded and loaded again. The host must live on, no window of the
// module may be left behind, and the module must work normally afterwards.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/host_runner.h"

namespace zqt::test {
namespace {

constexpr const char* kQso = "qso\tK1AA\t20m\tRTTY\tNA\tK1\tK\n";

struct Injection {
  const char* name;
  const char* command;  // the script line that meddles with the window's construction
};

void PrintTo(const Injection& injection, std::ostream* out) {
  *out << injection.name;
}

class FailedConstruction : public ::testing::TestWithParam<Injection> {
 protected:
  HostFixture host;
};

TEST_P(FailedConstruction, LeavesNoWindowAndTheNextRunWorks) {
  const std::string command = GetParam().command;
  const HostRun run =
      host.Run(command + "\nrun\nallow-create\nwindows-of\tTfmMainForm\nwindows-of\tTPanel\n" +
               "broadcast\n" + kQso + "getscore\naddqso\nrun\naddqso\nrelease\nwait-gone\n");
  ASSERT_EQ(run.exit_code, 0) << run.output;
  const std::string echo =
      command.substr(0, command.find('\t')) + ": " + command.substr(command.find('\t') + 1);
  EXPECT_EQ(run.ComparableLines(),
            (std::vector<std::string>{echo, "run: window=0x0", "allow-create: hits=1 menus-left=0",
                                      "windows-of: TfmMainForm 0", "windows-of: TPanel 0", "broadcast: sent",
                                      "qso: K1AA 20m RTTY", "getscore: 0", "addqso: 0", "run: window=live",
                                      "addqso: 1", "release: done", "gone: yes", "released"}))
      << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    WindowFaults, FailedConstruction,
    ::testing::Values(
        // The top-level window exists, its last control cannot be made.
        Injection{"EditRefused", "refuse-create\tEDIT"},
        // The window itself cannot be made: the menu made for it must go too.
        Injection{"WindowRefused", "refuse-create\tTfmMainForm"},
        // A close request reaches the window while its controls are made: it ends the window.
        Injection{"ClosedWhileBuilt", "close-on-create\tEDIT"}),
    [](const ::testing::TestParamInfo<Injection>& tested) { return std::string(tested.param.name); });

TEST(ModuleUnload, LeavesNoWindowClassBehindAndLoadsAgain) {
  const HostFixture host;
  // Each load lands elsewhere than the one before; the second round unloads without waiting for the window.
  const HostRun run = host.Run("reload\t100\nreload\t20\tnowait\nbroadcast\nrun\n" + std::string(kQso) +
                               "addqso\nrelease\nwait-gone\n");
  ASSERT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(run.Printed("reload: loads=100 addresses=2 windows=100 windows-left=0 classes-left=0"))
      << run.output;
  EXPECT_TRUE(run.Printed("reload: loads=20 addresses=2 windows=20 windows-left=0 classes-left=0"))
      << run.output;
  EXPECT_TRUE(run.Printed("addqso: 1")) << run.output;
  EXPECT_TRUE(run.Printed("gone: yes")) << run.output;
}

}  // namespace
}  // namespace zqt::test
