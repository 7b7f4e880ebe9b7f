// The window adapter on real windows, and the whole store restoring a real window from the real registry.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "module_fixture.h"
#include "placement/error_sink.h"
#include "placement/form_storage.h"
#include "placement/reg_ini_file.h"
#include "placement/window_placement_io.h"
#include "support/test_key.h"
#include "win32/win_placement_window.h"
#include "win32/win_registry.h"

namespace zqt::win32 {
namespace {

using test::Pump;
using test::TestKey;

constexpr char kClassName[] = "TfmMainForm";
constexpr DWORD kSizeable = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

void RegisterTestClass() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

// A hidden top-level window at the design place, destroyed with the object.
class TestWindow {
 public:
  explicit TestWindow(DWORD style = kSizeable, DWORD ex_style = WS_EX_TOPMOST) {
    RegisterTestClass();
    hwnd_ = CreateWindowExA(ex_style, kClassName, "test", style, 1052, 152, 268, 138, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

class RecordingErrors : public ErrorSink {
 public:
  std::vector<std::string> shown;
  void ShowError(std::string_view text) override { shown.emplace_back(text); }
};

TEST(WinPlacementWindow, ReportsClassNameAndBorderStyle) {
  TestWindow sizeable;
  ASSERT_NE(sizeable.Handle(), nullptr);
  WinPlacementWindow window(sizeable.Handle(), 96);
  EXPECT_EQ(window.ClassName(), kClassName);
  EXPECT_TRUE(window.HandleAllocated());
  EXPECT_EQ(window.Border(), BorderStyle::kSizeable);
  EXPECT_EQ(window.PixelsPerInch(), 96);

  TestWindow popup(WS_POPUP, 0);
  EXPECT_EQ(WinPlacementWindow(popup.Handle(), 96).Border(), BorderStyle::kNone);
  TestWindow single(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0);
  EXPECT_EQ(WinPlacementWindow(single.Handle(), 96).Border(), BorderStyle::kSingle);
  TestWindow dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME);
  EXPECT_EQ(WinPlacementWindow(dialog.Handle(), 96).Border(), BorderStyle::kDialog);
  TestWindow tool(WS_OVERLAPPED | WS_CAPTION, WS_EX_TOOLWINDOW);
  EXPECT_EQ(WinPlacementWindow(tool.Handle(), 96).Border(), BorderStyle::kToolWindow);
  TestWindow size_tool(kSizeable, WS_EX_TOOLWINDOW);
  EXPECT_EQ(WinPlacementWindow(size_tool.Handle(), 96).Border(), BorderStyle::kSizeToolWin);
}

TEST(WinPlacementWindow, AppliesAPlacementToAHiddenWindowWithoutShowingIt) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  auto placement = window.GetPlacement();
  EXPECT_EQ(placement.length, 44u);
  EXPECT_EQ(placement.normal_position, (PlacementRect{1052, 152, 1320, 290}));

  placement.show_cmd = 0;
  placement.normal_position = {100, 200, 500, 400};
  window.SetPlacement(placement);
  EXPECT_FALSE(window.IsVisible());
  const auto applied = window.GetPlacement();
  EXPECT_EQ(applied.normal_position, (PlacementRect{100, 200, 500, 400}));
  RECT rect{};
  GetWindowRect(test.Handle(), &rect);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 200);
}

TEST(WinPlacementWindow, HiddenWindowTakesItsStateWhenShown) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  window.SetState(WindowState::kMaximized);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(window.ShowCommand(), SW_SHOWMAXIMIZED);
  ShowWindow(test.Handle(), window.ShowCommand());
  Pump();
  EXPECT_TRUE(window.IsVisible());
  EXPECT_NE(IsZoomed(test.Handle()), FALSE);
  EXPECT_EQ(window.State(), WindowState::kMaximized);
}

TEST(WinPlacementWindow, VisibleWindowChangesStateAtOnce) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  ShowWindow(test.Handle(), window.ShowCommand());
  Pump();
  EXPECT_EQ(window.State(), WindowState::kNormal);

  window.SetState(WindowState::kMinimized);
  Pump();
  EXPECT_NE(IsIconic(test.Handle()), FALSE);
  EXPECT_EQ(window.State(), WindowState::kMinimized);
  EXPECT_EQ(window.GetPlacement().show_cmd, static_cast<UINT>(SW_SHOWMINIMIZED));

  window.SetState(WindowState::kNormal);
  Pump();
  EXPECT_EQ(IsIconic(test.Handle()), FALSE);
  EXPECT_EQ(window.State(), WindowState::kNormal);
}

TEST(FormStorageOnWindows, ReleasedWindowReopensWhereItWasLeft) {
  TestKey key;
  WinRegistry registry;
  RecordingErrors errors;
  const int pixels_per_inch = ReadLogicalPixelsPerInch();
  EXPECT_GT(pixels_per_inch, 0);
  {
    TestWindow test;
    WinPlacementWindow window(test.Handle(), pixels_per_inch);
    TFormStorage storage(registry, window, errors, HostExecutablePath());
    storage.StoredValues().Add("CurrentBand", 1);
    storage.OnShow({});
    ShowWindow(test.Handle(), window.ShowCommand());
    SetWindowPos(test.Handle(), nullptr, 300, 250, 268, 138, SWP_NOZORDER | SWP_NOACTIVATE);
    storage.OnDestroy({});
    EXPECT_TRUE(storage.Saved());
  }
  {
    TRegIniFile store(registry, key.Path(), true);
    EXPECT_EQ(store.ReadString(kClassName, "NormPos", ""), "300,250,568,388");
    EXPECT_EQ(store.ReadString(kClassName, "Visible", ""), "1");
    EXPECT_EQ(store.ReadString(kClassName, "CurrentBand", ""), "1");
  }
  TestWindow test;
  WinPlacementWindow window(test.Handle(), pixels_per_inch);
  TFormStorage storage(registry, window, errors, HostExecutablePath());
  storage.StoredValues().Add("CurrentBand", 1);
  bool own_show_ran = false;
  storage.OnShow([&] { own_show_ran = true; });
  EXPECT_TRUE(own_show_ran);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(window.GetPlacement().normal_position, (PlacementRect{300, 250, 568, 388}));
  EXPECT_EQ(window.ShowCommand(), SW_SHOWNORMAL);
  EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace zqt::win32
