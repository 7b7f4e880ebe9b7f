// The window's placement through the real window and the real registry of the Wine prefix: what the first
// release writes, with the value types the system's own reg.exe lists, and the shared scenarios marked for an
// end-to-end run.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/host_runner.h"
#include "support/placement_scenarios.h"

namespace zqt::test {
namespace {

constexpr const char* kSection = "HKEY_CURRENT_USER\\Software\\zqtdriver\\TfmMainForm";

// Values of the section by name, as "TYPE:DATA".
using Values = std::map<std::string, std::string>;

// What the host's reg-dump printed.
Values RegistryOf(const HostRun& run) {
  Values values;
  for (const std::string& line : run.Lines()) {
    if (!line.starts_with("reg: ") || line == "reg: none")
      continue;
    const std::size_t equals = line.find('=');
    values[line.substr(5, equals - 5)] = line.substr(equals + 1);
  }
  return values;
}

// The section as the system's own reg.exe lists it: "    NAME    REG_TYPE    DATA" lines.
Values RegQuery() {
  Values values;
  const std::string output = RunCommandLine("reg.exe query " + std::string(kSection)).output;
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    if (end == std::string::npos)
      end = output.size();
    const std::string line = output.substr(start, end - start);
    start = end + 1;
    if (!line.starts_with("    "))
      continue;
    const std::size_t type_at = line.find("    REG_", 4);
    const std::size_t data_at = line.find("    ", type_at + 4);
    if (type_at == std::string::npos || data_at == std::string::npos)
      continue;
    // reg-dump's type names drop the REG_ prefix.
    values[line.substr(4, type_at - 4)] =
        line.substr(type_at + 8, data_at - type_at - 8) + ":" + line.substr(data_at + 4);
  }
  return values;
}

class PlacementEndToEnd : public ::testing::Test {
 protected:
  HostRun Run(const std::string& script) {
    HostRun run = host.Run(script);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    return run;
  }
  HostFixture host;
};

TEST_F(PlacementEndToEnd, ReleaseAfterAReplayWritesTheTenValues) {
  const HostRun run =
      Run("reg-delete-key\nrun\nqso\tJA1ABC\t20m\tRTTY\tAS\tJA1\tJA\nlog\nplacement\nrelease\nwait-gone\nreg-"
          "dump\n");
  EXPECT_TRUE(run.Printed("placement: " + std::string(kDesignPlacement))) << run.output;
  const std::string design = std::string(kDesignRect);
  const Values expected{{"CurrentBand", "SZ:1"},
                        {"Flags", "SZ:0"},
                        {"FormVersion", "SZ:0"},
                        // No minimised position was ever set, and the platform forgets the maximised corner
                        // of a window that is not maximised.
                        {"MinMaxPos", "SZ:-1,-1,-1,-1"},
                        {"MinMaxPos(1920x1080)", "SZ:-1,-1,-1,-1"},
                        {"NormPos", design},
                        {"NormPos(1920x1080)", design},
                        {"PixelsPerInch", "SZ:96"},
                        {"ShowCmd", "SZ:1"},
                        {"Visible", "SZ:1"}};
  EXPECT_EQ(RegistryOf(run), expected) << run.output;
  EXPECT_EQ(RegQuery(), expected) << "reg.exe and the host's reg-dump disagree";
}

TEST_F(PlacementEndToEnd, SharedScenarios) {
  const std::map<Step, std::string> steps{{Step::kNone, "release\n"},
                                          {Step::kMove, "move 300 250 700 450\nrelease\n"},
                                          {Step::kMinimise, "syscommand\tF060\npump\t200\nrelease\n"},
                                          {Step::kCloseRequest, "close\n"}};
  for (const auto& scenario : PlacementScenarios()) {
    if (!scenario.end_to_end)
      continue;
    SCOPED_TRACE(scenario.name);
    std::string script = "reg-delete-key\n";
    Values planted;
    for (const auto& [name, value] : scenario.planted) {
      const bool dword = value.starts_with("DWORD:");
      script += (dword ? "reg-set-dword " : "reg-set-sz ") + std::string(name) + " " +
                std::string(value.substr(value.find(':') + 1)) + "\n";
      planted.emplace(name, value);
    }
    const HostRun run = Run(script + "run\npump\t200\nplacement\nstate\n" + steps.at(scenario.step) +
                            "wait-gone\nreg-dump\n");
    EXPECT_TRUE(run.Printed("placement: " + std::string(scenario.opens))) << run.output;
    // Shown and rebuilt whatever the restore met.
    EXPECT_NE(run.Value("state: ").find("visible=1 iconic=0 button-enabled=1"), std::string::npos)
        << run.output;
    EXPECT_EQ(run.Value("box: "), scenario.error.empty() ? "" : "zqtdriver|" + std::string(scenario.error));
    const Values stored = RegistryOf(run);
    if (!scenario.saves) {
      EXPECT_EQ(stored, planted) << run.output;
    }
    for (const auto& [name, value] : scenario.stored) {
      EXPECT_EQ(stored.contains(std::string(name)) ? stored.at(std::string(name)) : "(missing)", value)
          << name;
    }
    if (!scenario.reopens.empty()) {
      const HostRun next = Run("run\npump\t200\nplacement\nstate\nrelease\nwait-gone\n");
      EXPECT_TRUE(next.Printed("placement: " + std::string(scenario.reopens))) << next.output;
      EXPECT_NE(next.Value("state: ").find("visible=1 iconic=0"), std::string::npos) << next.output;
    }
  }
}

}  // namespace
}  // namespace zqt::test
