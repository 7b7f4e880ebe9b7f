// Restore and save of the statistics window's placement and stored value through the hooks.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "placement/form_storage.h"
#include "support/fake_section.h"
#include "support/fake_window.h"
#include "support/placement_scenarios.h"

namespace zqt {
namespace {

using test::FakeSection;
using test::FakeWindow;
using test::RecordedWrite;
using test::RecordingErrors;

// One life of the window over a section that outlives it; shown as the window shows itself after the restore.
struct Session {
  explicit Session(FakeSection& s) : section(s) {}

  void Show() {
    storage.OnShow([this] { ++own_shows; });
    window.visible = true;
    window.placement.show_cmd = window.state == WindowState::kMaximized ? 3 : 1;
  }
  bool CloseQuery(bool allow = true) {
    return storage.OnCloseQuery([allow] { return allow; });
  }
  void Release() { storage.OnDestroy(); }
  std::string Placement() const {
    const auto& r = window.placement.normal_position;
    return "showcmd=" + std::to_string(window.placement.show_cmd) + " normal=" + std::to_string(r.left) +
           "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
  }

  FakeSection& section;
  FakeWindow window;
  RecordingErrors errors;
  TFormStorage storage{section, window, errors};
  int own_shows = 0;
};

class FormStorageTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_FALSE(section.IsOpen());
    EXPECT_EQ(section.Misuses(), 0);
  }

  FakeSection section;
  Session run{section};
};

TEST(FormStorageScenarios, OpenAndStoreAsTheValuesSay) {
  for (const auto& scenario : test::PlacementScenarios()) {
    SCOPED_TRACE(scenario.name);
    FakeSection section;
    std::map<std::string, std::string> planted;
    for (const auto& [name, value] : scenario.planted) {
      section.Plant(name, value);
      planted.emplace(name, value);
    }
    Session run(section);
    run.Show();
    EXPECT_EQ(run.own_shows, 1);
    EXPECT_EQ(run.Placement(), scenario.opens);
    // A restore that fails before the placement is read applies nothing, not even the maximised position.
    EXPECT_EQ(run.window.applied.empty(), !scenario.saves);
    if (scenario.step == test::Step::kMove) {
      run.window.placement.normal_position = {300, 250, 700, 450};
    } else if (scenario.step == test::Step::kMinimise) {
      run.window.placement.show_cmd = 2;
    } else if (scenario.step == test::Step::kCloseRequest) {
      EXPECT_TRUE(run.CloseQuery());
    }
    run.Release();
    EXPECT_EQ(run.errors.shown, scenario.error.empty()
                                    ? std::vector<std::string>{}
                                    : std::vector<std::string>{std::string(scenario.error)});
    if (!scenario.saves) {
      EXPECT_EQ(section.DumpAll(), planted);
    }
    for (const auto& [name, value] : scenario.stored) {
      EXPECT_EQ(section.Dump(name), value) << name;
    }
    if (!scenario.reopens.empty()) {
      Session next(section);
      next.Show();
      EXPECT_EQ(next.Placement(), scenario.reopens);
    }
    EXPECT_FALSE(section.IsOpen());
    EXPECT_EQ(section.Misuses(), 0);
  }
}

TEST_F(FormStorageTest, FirstRunOpensAtTheDesignPlaceAndReleaseWritesTenValuesInOrder) {
  run.Show();
  EXPECT_EQ(run.own_shows, 1);
  EXPECT_EQ(run.window.placement.normal_position, FakeWindow::kDesignRect);
  EXPECT_EQ(run.window.state, WindowState::kNormal);
  run.Release();
  const std::vector<RecordedWrite> expected{
      {"FormVersion", "0"},
      {"Flags", "0"},
      {"ShowCmd", "1"},
      {"PixelsPerInch", "96"},
      {"MinMaxPos(1920x1080)", "-1,-1,-4,-6"},
      {"MinMaxPos", "-1,-1,-4,-6"},
      {"NormPos(1920x1080)", "1052,152,1320,290"},
      {"NormPos", "1052,152,1320,290"},
      {"Visible", "1"},
      {"CurrentBand", "1"},
  };
  EXPECT_EQ(section.Writes(), expected);
  EXPECT_EQ(section.Opens(), (std::vector<bool>{true, false}));
  EXPECT_TRUE(run.errors.shown.empty());
}

TEST_F(FormStorageTest, StoredRectangleMovesTheHiddenWindowWithoutShowingIt) {
  section.SetText("NormPos", "100,200,500,400");
  section.SetText("MinMaxPos", "5,6,7,8");
  section.SetText("Flags", "1");
  run.Show();
  ASSERT_EQ(run.window.applied.size(), 2u);
  const auto& restored = run.window.applied.front();
  EXPECT_EQ(restored.show_cmd, 0u);
  EXPECT_EQ(restored.flags, 1u);
  EXPECT_EQ(restored.min_position, (PlacementPoint{5, 6}));
  EXPECT_EQ(restored.max_position, (PlacementPoint{7, 8}));
  EXPECT_EQ(restored.normal_position, (PlacementRect{100, 200, 500, 400}));
  // The maximised position is then set from the sizing frame, for the next save.
  EXPECT_EQ(run.window.applied.back().max_position, (PlacementPoint{-4, -6}));
  EXPECT_EQ(run.window.applied.back().show_cmd, 0u);
}

TEST(FormStorageShowCmd, OnlyMaximisedIsRestored) {
  const std::pair<std::string_view, WindowState> cases[] = {
      {"3", WindowState::kMaximized}, {"1", WindowState::kNormal},  {"2", WindowState::kNormal},
      {"6", WindowState::kNormal},    {"7", WindowState::kNormal},  {"0", WindowState::kNormal},
      {"4", WindowState::kNormal},    {"11", WindowState::kNormal}, {"max", WindowState::kNormal},
  };
  for (const auto& [show_cmd, state] : cases) {
    FakeSection section;
    section.SetText("ShowCmd", show_cmd);
    Session run(section);
    run.Show();
    EXPECT_EQ(run.window.state, state) << "ShowCmd " << show_cmd;
  }
}

TEST_F(FormStorageTest, RefusedCloseSavesNothingAndASavedWindowIsNotSavedAgain) {
  run.Show();
  EXPECT_FALSE(run.CloseQuery(false));
  EXPECT_TRUE(section.Writes().empty());
  EXPECT_TRUE(run.CloseQuery());
  EXPECT_EQ(section.Writes().size(), 10u);
  section.ClearLogs();
  run.Release();
  EXPECT_TRUE(section.Opens().empty());
}

TEST_F(FormStorageTest, ShowingAgainRestoresAndAllowsTheNextSave) {
  section.SetText("NormPos", "100,200,500,400");
  run.Show();
  run.CloseQuery();
  section.SetText("NormPos(1920x1080)", "10,20,30,40");
  run.window.visible = false;
  run.Show();
  EXPECT_EQ(run.window.placement.normal_position, (PlacementRect{10, 20, 30, 40}));
  section.ClearLogs();
  run.Release();
  EXPECT_EQ(section.Dump("Visible"), "SZ:1");
}

TEST_F(FormStorageTest, NothingIsSavedBeforeARestore) {
  EXPECT_TRUE(run.CloseQuery());
  run.Release();
  EXPECT_TRUE(section.Opens().empty());
}

TEST_F(FormStorageTest, SectionThatCannotBeCreatedReadsDefaultsAndIsTriedAgainAtDestruction) {
  section.DenyCreate();
  run.Show();
  EXPECT_TRUE(run.errors.shown.empty());
  EXPECT_EQ(run.window.placement.normal_position, FakeWindow::kDesignRect);
  EXPECT_TRUE(run.CloseQuery());
  run.Release();
  EXPECT_EQ(run.errors.shown, (std::vector<std::string>{"Failed to create key TfmMainForm",
                                                        "Failed to create key TfmMainForm"}));
  EXPECT_TRUE(section.Writes().empty());
}

TEST_F(FormStorageTest, UnwritableValueEndsTheSaveAndTheNextCloseQueryTriesAgain) {
  section.FailSet("CurrentBand");
  run.Show();
  run.Release();
  EXPECT_EQ(section.Writes().back(), (RecordedWrite{"Visible", "1"}));
  EXPECT_TRUE(run.CloseQuery());
  EXPECT_EQ(section.Writes().back(), (RecordedWrite{"Visible", "0"}));
  EXPECT_EQ(run.errors.shown, std::vector<std::string>(2, "Failed to set data for 'CurrentBand'"));
}

}  // namespace
}  // namespace zqt
