// Restore and save of the statistics window's placement and stored value through the hooks.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "placement/form_storage.h"
#include "support/fake_registry.h"
#include "support/fake_window.h"

namespace zqt {
namespace {

using test::FakeRegistry;
using test::FakeWindow;
using test::RecordedWrite;
using test::RecordingErrors;

constexpr char kKey[] = "Software\\Logger";
constexpr char kSection[] = "Software\\Logger\\TfmMainForm";

// One life of the window: its store as the window sets it up, over a registry that outlives it.
struct Session {
  explicit Session(FakeRegistry& r) : registry(r) { storage.StoredValues().Add("CurrentBand", 1); }

  void Show() {
    storage.OnShow([this] { ++own_shows; });
  }
  bool CloseQuery(bool allow = true) {
    return storage.OnCloseQuery([allow] { return allow; });
  }
  void Release() { storage.OnDestroy({}); }
  const StoredVariant& CurrentBand() { return storage.StoredValues().Find("CurrentBand")->Value(); }

  FakeRegistry& registry;
  FakeWindow window;
  RecordingErrors errors;
  TFormStorage storage{registry, window, errors, "C:\\Ham\\Logger.exe"};
  int own_shows = 0;
};

std::vector<std::string> Names(const std::vector<RecordedWrite>& writes) {
  std::vector<std::string> names;
  for (const auto& write : writes) {
    names.push_back(write.name);
  }
  return names;
}

class FormStorageTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(registry.OpenHandles(), 0u);
    EXPECT_EQ(registry.BadCloses(), 0);
  }
  void Store(std::string_view name, std::string_view text) { registry.SetText(kSection, name, text); }
  std::optional<std::string> Stored(std::string_view name) const { return registry.Text(kSection, name); }

  FakeRegistry registry;
  Session run{registry};
};

TEST_F(FormStorageTest, FirstRunOpensAtTheDesignPlaceAndReleaseWritesTenValuesInOrder) {
  run.Show();
  EXPECT_EQ(run.own_shows, 1);
  EXPECT_TRUE(run.errors.shown.empty());
  EXPECT_EQ(run.window.placement.normal_position, FakeWindow::kDesignRect);
  EXPECT_EQ(run.window.state, WindowState::kNormal);
  EXPECT_TRUE(registry.KeyExists(kKey));
  EXPECT_FALSE(registry.KeyExists(kSection));
  EXPECT_EQ(run.CurrentBand(), StoredVariant(std::string("1")));

  run.Release();
  const std::vector<RecordedWrite> expected{
      {kSection, "FormVersion", "0"},
      {kSection, "Flags", "0"},
      {kSection, "ShowCmd", "1"},
      {kSection, "PixelsPerInch", "96"},
      {kSection, "MinMaxPos(1280x1024)", "-1,-1,-4,-6"},
      {kSection, "MinMaxPos", "-1,-1,-4,-6"},
      {kSection, "NormPos(1280x1024)", "1052,152,1320,290"},
      {kSection, "NormPos", "1052,152,1320,290"},
      {kSection, "Visible", "1"},
      {kSection, "CurrentBand", "1"},
  };
  EXPECT_EQ(registry.Writes(), expected);
  EXPECT_TRUE(run.storage.Saved());
  EXPECT_TRUE(run.errors.shown.empty());
}

TEST_F(FormStorageTest, StoredRectangleMovesTheHiddenWindowWithoutShowingIt) {
  Store("NormPos", "100,200,500,400");
  Store("MinMaxPos", "5,6,7,8");
  Store("Flags", "1");
  run.Show();
  ASSERT_FALSE(run.window.applied.empty());
  const auto& restored = run.window.applied.front();
  EXPECT_EQ(restored.show_cmd, 0u);
  EXPECT_EQ(restored.flags, 1u);
  EXPECT_EQ(restored.min_position, (PlacementPoint{5, 6}));
  EXPECT_EQ(restored.max_position, (PlacementPoint{7, 8}));
  const auto& rect = run.window.placement.normal_position;
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 200);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 200);
  // The maximised position is then set from the frame, for the next save.
  EXPECT_EQ(run.window.placement.max_position, (PlacementPoint{-4, -6}));
  EXPECT_EQ(run.window.applied.back().show_cmd, 0u);
}

TEST_F(FormStorageTest, TwoWordsKeepTheCurrentRightAndBottom) {
  Store("NormPos", " 100,,200");
  run.Show();
  EXPECT_EQ(run.window.placement.normal_position, (PlacementRect{100, 200, 1320, 290}));
}

TEST_F(FormStorageTest, RectangleWithoutWidthIsNotApplied) {
  run.window.placement.normal_position = {0, 0, 90, 50};
  Store("NormPos", " 100,,200");
  run.Show();
  EXPECT_EQ(run.window.placement.normal_position, (PlacementRect{0, 0, 90, 50}));
}

TEST_F(FormStorageTest, OtherPixelsPerInchIgnoresThePositionButKeepsTheState) {
  Store("NormPos", "100,200,500,400");
  Store("PixelsPerInch", "120");
  Store("ShowCmd", "3");
  run.Show();
  EXPECT_EQ(run.window.placement.normal_position, FakeWindow::kDesignRect);
  EXPECT_EQ(run.window.state, WindowState::kMaximized);
}

TEST(FormStorageShowCmd, OnlyMaximisedIsRestored) {
  const std::pair<std::string_view, WindowState> cases[] = {
      {"3", WindowState::kMaximized}, {"1", WindowState::kNormal},  {"2", WindowState::kNormal},
      {"6", WindowState::kNormal},    {"7", WindowState::kNormal},  {"0", WindowState::kNormal},
      {"4", WindowState::kNormal},    {"11", WindowState::kNormal}, {"max", WindowState::kNormal},
  };
  for (const auto& [show_cmd, state] : cases) {
    FakeRegistry registry;
    registry.SetText(kSection, "ShowCmd", show_cmd);
    Session run(registry);
    run.Show();
    EXPECT_EQ(run.window.state, state) << "ShowCmd " << show_cmd;
  }
}

TEST_F(FormStorageTest, OlderFormVersionRestoresNothingAndTheNextSaveRewritesIt) {
  Store("FormVersion", "-1");
  Store("NormPos", "100,200,500,400");
  Store("ShowCmd", "3");
  Store("CurrentBand", "20m");
  run.Show();
  EXPECT_EQ(run.window.placement.normal_position, FakeWindow::kDesignRect);
  EXPECT_EQ(run.window.state, std::nullopt);
  EXPECT_EQ(run.CurrentBand(), StoredVariant(1));
  EXPECT_TRUE(run.storage.Restored());

  run.Release();
  EXPECT_EQ(Names(registry.Writes()).size(), 10u);
  EXPECT_EQ(Stored("FormVersion"), "0");
  EXPECT_EQ(Stored("NormPos"), "1052,152,1320,290");
  EXPECT_EQ(Stored("CurrentBand"), "1");
}

TEST_F(FormStorageTest, FlagsStoredAsANumberStopsTheRestoreAndEverySave) {
  registry.SetValue(kSection, "Flags", kRegDword, std::string(4, '\0'));
  Store("NormPos", "100,200,500,400");
  run.Show();
  EXPECT_EQ(run.errors.shown, std::vector<std::string>{"Invalid data type for 'Flags'"});
  EXPECT_EQ(run.own_shows, 1);
  EXPECT_TRUE(run.window.applied.empty());
  EXPECT_EQ(run.window.placement.normal_position, FakeWindow::kDesignRect);
  EXPECT_FALSE(run.storage.Restored());

  EXPECT_TRUE(run.CloseQuery());
  run.Release();
  EXPECT_TRUE(registry.Writes().empty());
  EXPECT_EQ(run.errors.shown.size(), 1u);
}

TEST_F(FormStorageTest, CurrentBandTextIsWrittenBackUnchanged) {
  Store("CurrentBand", "20m");
  run.Show();
  EXPECT_EQ(run.CurrentBand(), StoredVariant(std::string("20m")));
  run.Release();
  EXPECT_EQ(registry.Writes().back(), (RecordedWrite{kSection, "CurrentBand", "20m"}));
}

TEST_F(FormStorageTest, CurrentBandOfAnotherTypeIsOverwrittenWithItsInitialValue) {
  registry.SetValue(kSection, "CurrentBand", kRegDword, std::string(4, '\0'));
  Store("NormPos", "100,200,500,400");
  run.Show();
  EXPECT_EQ(run.errors.shown, std::vector<std::string>{"Invalid data type for 'CurrentBand'"});
  EXPECT_EQ(run.window.placement.normal_position, (PlacementRect{100, 200, 500, 400}));
  EXPECT_TRUE(run.storage.Restored());
  run.Release();
  EXPECT_EQ(Stored("CurrentBand"), "1");
  EXPECT_EQ(Stored("NormPos"), "100,200,500,400");
}

TEST(FormStorageSizedValues, SuffixForThisScreenFirstThenThePlainValue) {
  struct Case {
    std::string_view other_size, this_size, plain;
    PlacementRect expected;
  };
  const Case cases[] = {
      {"1,2,300,400", "", "100,200,500,400", {100, 200, 500, 400}},
      {"", "", "100,200,500,400", {100, 200, 500, 400}},
      {"", "10,20,30,40", "100,200,500,400", {10, 20, 30, 40}},
      {"1,2,300,400", "", "", FakeWindow::kDesignRect},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    if (!c.other_size.empty()) {
      registry.SetText(kSection, "NormPos(1024x768)", c.other_size);
    }
    registry.SetText(kSection, "NormPos(1280x1024)", c.this_size);
    if (!c.plain.empty()) {
      registry.SetText(kSection, "NormPos", c.plain);
    }
    Session run(registry);
    run.Show();
    EXPECT_EQ(run.window.placement.normal_position, c.expected) << c.other_size << " | " << c.this_size;
  }
}

TEST(FormStorageBorder, DecidesTheSizeKeptAndTheMaximisedPosition) {
  const std::pair<BorderStyle, PlacementPoint> frames[] = {
      {BorderStyle::kNone, {0, 0}},         {BorderStyle::kSingle, {-1, -2}},
      {BorderStyle::kSizeable, {-4, -6}},   {BorderStyle::kDialog, {-3, -5}},
      {BorderStyle::kToolWindow, {-1, -2}}, {BorderStyle::kSizeToolWin, {-4, -6}},
  };
  for (const auto& [border, max_position] : frames) {
    FakeRegistry registry;
    registry.SetText(kSection, "NormPos", "100,200,500,400");
    Session run(registry);
    run.window.border = border;
    run.Show();
    const bool sizeable = border == BorderStyle::kSizeable || border == BorderStyle::kSizeToolWin;
    const PlacementRect expected =
        sizeable ? PlacementRect{100, 200, 500, 400} : PlacementRect{100, 200, 368, 338};
    EXPECT_EQ(run.window.placement.normal_position, expected) << static_cast<int>(border);
    EXPECT_EQ(run.window.placement.max_position, max_position) << static_cast<int>(border);
  }
}

// The current size at a stored corner near the end of the coordinate range would end beyond it.
TEST(FormStorageBorder, AFixedSizeThatEndsBeyondTheCoordinateRangeIsNotApplied) {
  for (const char* norm_pos : {"2147483600,200", "100,2147483600"}) {
    FakeRegistry registry;
    registry.SetText(kSection, "NormPos", norm_pos);
    Session run(registry);
    run.window.border = BorderStyle::kSingle;
    run.Show();
    EXPECT_EQ(run.window.placement.normal_position, FakeWindow::kDesignRect) << norm_pos;
    EXPECT_EQ(run.window.applied.size(), 1u) << "only the maximised position";
  }
}

TEST_F(FormStorageTest, MinimisedAtReleaseReopensNormalAtTheStoredRectangle) {
  run.Show();
  run.window.placement.show_cmd = 2;
  run.window.placement.normal_position = {10, 20, 278, 158};
  run.Release();
  EXPECT_EQ(Stored("ShowCmd"), "2");

  Session next(registry);
  next.Show();
  EXPECT_EQ(next.window.state, WindowState::kNormal);
  EXPECT_EQ(next.window.placement.normal_position, (PlacementRect{10, 20, 278, 158}));
}

TEST_F(FormStorageTest, CloseRequestSavesOnceWithVisibleZero) {
  run.Show();
  EXPECT_FALSE(run.CloseQuery(false));
  EXPECT_TRUE(registry.Writes().empty());

  EXPECT_TRUE(run.CloseQuery());
  EXPECT_EQ(Names(registry.Writes()).size(), 10u);
  EXPECT_EQ(Stored("Visible"), "0");
  registry.ClearLogs();
  run.Release();
  EXPECT_TRUE(registry.Writes().empty());
}

TEST_F(FormStorageTest, ShowingAgainRestoresAndAllowsTheNextSave) {
  Store("NormPos", "100,200,500,400");
  run.Show();
  run.CloseQuery();
  Store("NormPos(1280x1024)", "10,20,30,40");
  run.Show();
  EXPECT_FALSE(run.storage.Saved());
  EXPECT_EQ(run.window.placement.normal_position, (PlacementRect{10, 20, 30, 40}));
  registry.ClearLogs();
  run.Release();
  EXPECT_EQ(Stored("Visible"), "1");
}

TEST_F(FormStorageTest, NothingIsSavedBeforeARestore) {
  EXPECT_TRUE(run.CloseQuery());
  run.Release();
  EXPECT_TRUE(registry.Opens().empty());
}

TEST_F(FormStorageTest, InactiveStoreLeavesTheRegistryAloneButRunsTheWindowsHandlers) {
  run.storage.Settings().active = false;
  run.Show();
  EXPECT_TRUE(run.CloseQuery());
  run.Release();
  EXPECT_EQ(run.own_shows, 1);
  EXPECT_TRUE(registry.Opens().empty());
}

TEST_F(FormStorageTest, UncreatableSectionIsShownAndTriedAgainAtDestruction) {
  registry.DenyCreate(kSection);
  run.Show();
  EXPECT_TRUE(run.CloseQuery());
  EXPECT_FALSE(run.storage.Saved());
  run.Release();
  EXPECT_EQ(run.errors.shown, (std::vector<std::string>{"Failed to create key TfmMainForm",
                                                        "Failed to create key TfmMainForm"}));
  EXPECT_FALSE(run.storage.Destroying());
}

TEST_F(FormStorageTest, UnwritableValueEndsTheSave) {
  registry.FailSet("Visible");
  run.Show();
  run.Release();
  EXPECT_EQ(run.errors.shown, std::vector<std::string>{"Failed to set data for 'Visible'"});
  EXPECT_EQ(Names(registry.Writes()).back(), "NormPos");
  EXPECT_FALSE(run.storage.Saved());
}

TEST_F(FormStorageTest, UnopenableModuleKeyReadsDefaultsAndFailsTheSave) {
  registry.DenyCreate(kKey);
  registry.SetText("TfmMainForm", "NormPos", "100,200,500,400");
  run.Show();
  EXPECT_TRUE(run.errors.shown.empty());
  EXPECT_EQ(run.window.placement.normal_position, FakeWindow::kDesignRect);
  EXPECT_EQ(run.CurrentBand(), StoredVariant(std::string("1")));
  run.Release();
  EXPECT_EQ(run.errors.shown, std::vector<std::string>{"Failed to create key TfmMainForm"});
  EXPECT_TRUE(registry.Writes().empty());
}

}  // namespace
}  // namespace zqt
