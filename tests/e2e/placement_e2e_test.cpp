// The window's placement through the real registry of the Wine prefix: what a release or a close request
// writes, what the next run restores, and what a value of the wrong type does.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/host_runner.h"

namespace zqt::test {
namespace {

// The window's design rectangle: left 1052, top 152, 268 x 138.
constexpr const char* kDesignRect = "1052,152,1320,290";
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

std::vector<std::string> NamesOf(const Values& values) {
  std::vector<std::string> names;
  for (const auto& [name, value] : values)
    names.push_back(name);
  return names;
}

const std::string kQsos =
    "qso\tJA1ABC\t20m\tRTTY\tAS\tJA1\tJA\nlog\n"
    "qso\tK1AA\t20m\tRTTY\tNA\tK1\tK\nlog\n"
    "qso\tK1AA\t20m\tRTTY\tNA\tK1\tK\nlog\n";

class PlacementEndToEnd : public ::testing::Test {
 protected:
  // A run that starts with no stored placement.
  HostRun FirstRun(const std::string& script) { return Run("reg-delete-key\n" + script); }
  // A run over whatever the earlier ones stored.
  HostRun Run(const std::string& script) {
    HostRun run = host.Run(script);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    return run;
  }
  HostFixture host;
};

TEST_F(PlacementEndToEnd, ReleaseAfterAReplayWritesTheTenValues) {
  const HostRun run = FirstRun("run\n" + kQsos + "placement\nrelease\nwait-gone\nreg-dump\n");
  EXPECT_TRUE(run.Printed("placement: showcmd=1 normal=" + std::string(kDesignRect))) << run.output;
  EXPECT_TRUE(run.Printed("gone: yes")) << run.output;

  const Values values = RegistryOf(run);
  EXPECT_EQ(NamesOf(values), (std::vector<std::string>{
                                 "CurrentBand", "Flags", "FormVersion", "MinMaxPos", "MinMaxPos(1280x1024)",
                                 "NormPos", "NormPos(1280x1024)", "PixelsPerInch", "ShowCmd", "Visible"}))
      << run.output;
  const auto value = [&values](const std::string& name) {
    const auto found = values.find(name);
    return found == values.end() ? "(missing)" : found->second;
  };
  EXPECT_EQ(value("FormVersion"), "SZ:0");
  EXPECT_EQ(value("Flags"), "SZ:0");
  EXPECT_EQ(value("ShowCmd"), "SZ:1");
  EXPECT_EQ(value("PixelsPerInch"), "SZ:96");
  EXPECT_EQ(value("NormPos"), "SZ:" + std::string(kDesignRect));
  EXPECT_EQ(value("NormPos(1280x1024)"), value("NormPos"));
  EXPECT_EQ(value("MinMaxPos(1280x1024)"), value("MinMaxPos"));
  // No minimised position was ever set, and the platform forgets the maximised corner of a window that is
  // not maximised.
  EXPECT_EQ(value("MinMaxPos"), "SZ:-1,-1,-1,-1");
  EXPECT_EQ(value("Visible"), "SZ:1");
  EXPECT_EQ(value("CurrentBand"), "SZ:1");

  EXPECT_EQ(RegQuery(), values) << "reg.exe and the host's reg-dump disagree";
}

TEST_F(PlacementEndToEnd, NextRunOpensAtTheRectangleSavedAtRelease) {
  const HostRun first = FirstRun("run\nmove 300 250 700 450\nrelease\nwait-gone\nreg-dump\n");
  EXPECT_TRUE(first.Printed("reg: NormPos(1280x1024)=SZ:300,250,700,450")) << first.output;

  const HostRun second = Run("run\nplacement\nstate\nrelease\nwait-gone\n");
  EXPECT_TRUE(second.Printed("placement: showcmd=1 normal=300,250,700,450")) << second.output;
  EXPECT_NE(second.Value("state: ").find("visible=1 iconic=0"), std::string::npos) << second.output;
}

TEST_F(PlacementEndToEnd, MinimisedAtReleaseStoresShowCmd2AndReopensNormal) {
  // The close box minimises the window.
  const HostRun first =
      FirstRun("run\nsyscommand\tF060\npump\t200\nplacement\nrelease\nwait-gone\nreg-dump\n");
  EXPECT_TRUE(first.Printed("placement: showcmd=2 normal=" + std::string(kDesignRect))) << first.output;
  const Values stored = RegistryOf(first);
  EXPECT_EQ(stored.at("ShowCmd"), "SZ:2") << first.output;
  EXPECT_EQ(stored.at("NormPos"), "SZ:" + std::string(kDesignRect));

  const HostRun second = Run("run\npump\t200\nplacement\nstate\nrelease\nwait-gone\n");
  EXPECT_TRUE(second.Printed("placement: showcmd=1 normal=" + std::string(kDesignRect))) << second.output;
  EXPECT_NE(second.Value("state: ").find("visible=1 iconic=0"), std::string::npos) << second.output;
}

TEST_F(PlacementEndToEnd, CloseRequestWritesVisible0AndNothingWhenTheWindowIsDestroyed) {
  const HostRun run = FirstRun("run\nclose\nwait-gone\nreg-dump\n");
  EXPECT_TRUE(run.Printed("gone: yes")) << run.output;
  const Values values = RegistryOf(run);
  EXPECT_EQ(values.size(), 10u) << run.output;
  // A save at destruction would have written "1".
  EXPECT_EQ(values.at("Visible"), "SZ:0") << run.output;
  EXPECT_EQ(values.at("NormPos"), "SZ:" + std::string(kDesignRect));
}

TEST_F(PlacementEndToEnd, FlagsOfNumberTypeShowsTheErrorAndIsLeftAsItWas) {
  const HostRun run = FirstRun(
      "reg-set-dword Flags 7\nreg-set-sz NormPos 100,200,500,400\nrun\npump\t200\nplacement\nstate\n"
      "release\nwait-gone\nreg-dump\n");
  // The text ends in "'", so the box adds no full stop.
  EXPECT_TRUE(run.Printed("box: zqtdriver|Invalid data type for 'Flags'")) << run.output;
  // The restore stopped at Flags: the window opens at its design place, shown and rebuilt all the same.
  EXPECT_TRUE(run.Printed("placement: showcmd=1 normal=" + std::string(kDesignRect))) << run.output;
  EXPECT_NE(run.Value("state: ").find("visible=1 iconic=0 button-enabled=1"), std::string::npos)
      << run.output;
  // Nothing restored, so nothing saved.
  EXPECT_EQ(RegistryOf(run), (Values{{"Flags", "DWORD:7"}, {"NormPos", "SZ:100,200,500,400"}})) << run.output;
}

TEST_F(PlacementEndToEnd, StoredBandTextIsWrittenBackUnchanged) {
  const HostRun run = FirstRun("reg-set-sz CurrentBand 20m\nrun\nrelease\nwait-gone\nreg-dump\n");
  EXPECT_TRUE(run.Printed("reg: CurrentBand=SZ:20m")) << run.output;
}

TEST_F(PlacementEndToEnd, StoredNormalRectangleOpensThere) {
  const HostRun run =
      FirstRun("reg-set-sz NormPos 100,200,500,400\nrun\nplacement\nstate\nrelease\nwait-gone\nreg-dump\n");
  EXPECT_TRUE(run.Printed("placement: showcmd=1 normal=100,200,500,400")) << run.output;
  EXPECT_NE(run.Value("state: ").find("visible=1 iconic=0"), std::string::npos) << run.output;
  EXPECT_TRUE(run.Printed("reg: NormPos(1280x1024)=SZ:100,200,500,400")) << run.output;
}

TEST_F(PlacementEndToEnd, StoredShowCmd3OpensMaximisedAndKeepsTheNormalRectangle) {
  const HostRun run = FirstRun("reg-set-sz ShowCmd 3\nrun\nplacement\nrelease\nwait-gone\nreg-dump\n");
  EXPECT_TRUE(run.Printed("placement: showcmd=3 normal=" + std::string(kDesignRect))) << run.output;
  EXPECT_TRUE(run.Printed("reg: ShowCmd=SZ:3")) << run.output;
  EXPECT_TRUE(run.Printed("reg: NormPos=SZ:" + std::string(kDesignRect))) << run.output;
}

}  // namespace
}  // namespace zqt::test
