// The window adapter on real windows, and the whole store restoring a real window from the real registry.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/placement/error_sink.h"
#include "core/placement/form_storage.h"
#include "core/placement/reg_ini_file.h"
#include "core/placement/window_placement_io.h"
#include "test_key.h"
#include "win32/placement/win_placement_window.h"
#include "win32/placement/win_registry.h"

namespace zqt::win32 {
namespace {

using testing::TestKey;

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
  explicit TestWindow(DWORD style = kSizeable, DWORD exStyle = WS_EX_TOPMOST) {
    RegisterTestClass();
    hwnd_ = CreateWindowExA(exStyle, kClassName, "test", style, 1052, 152, 268, 138, nullptr, nullptr,
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

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&msg);
  }
}

TEST(WinPlacementWindow, ReportsClassNameAndBorderStyle) {
  TestWindow sizeable;
  ASSERT_NE(sizeable.Handle(), nullptr);
  WinPlacementWindow window(sizeable.Handle(), 96);
  EXPECT_EQ(window.ClassName(), kClassName);
  EXPECT_TRUE(window.HandleAllocated());
  EXPECT_EQ(window.Border(), BorderStyle::Sizeable);
  EXPECT_EQ(window.PixelsPerInch(), 96);

  TestWindow popup(WS_POPUP, 0);
  EXPECT_EQ(WinPlacementWindow(popup.Handle(), 96).Border(), BorderStyle::None);
  TestWindow single(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0);
  EXPECT_EQ(WinPlacementWindow(single.Handle(), 96).Border(), BorderStyle::Single);
  TestWindow dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME);
  EXPECT_EQ(WinPlacementWindow(dialog.Handle(), 96).Border(), BorderStyle::Dialog);
  TestWindow tool(WS_OVERLAPPED | WS_CAPTION, WS_EX_TOOLWINDOW);
  EXPECT_EQ(WinPlacementWindow(tool.Handle(), 96).Border(), BorderStyle::ToolWindow);
  TestWindow sizeTool(kSizeable, WS_EX_TOOLWINDOW);
  EXPECT_EQ(WinPlacementWindow(sizeTool.Handle(), 96).Border(), BorderStyle::SizeToolWin);
}

TEST(WinPlacementWindow, AppliesAPlacementToAHiddenWindowWithoutShowingIt) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  auto placement = window.GetPlacement();
  EXPECT_EQ(placement.length, 44u);
  EXPECT_EQ(placement.rcNormalPosition, (PlacementRect{1052, 152, 1320, 290}));

  placement.showCmd = 0;
  placement.rcNormalPosition = {100, 200, 500, 400};
  window.SetPlacement(placement);
  EXPECT_FALSE(window.IsVisible());
  const auto applied = window.GetPlacement();
  EXPECT_EQ(applied.rcNormalPosition, (PlacementRect{100, 200, 500, 400}));
  RECT rect{};
  GetWindowRect(test.Handle(), &rect);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 200);
}

TEST(WinPlacementWindow, HiddenWindowTakesItsStateWhenShown) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  window.SetState(WindowState::Maximized);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(window.ShowCommand(), SW_SHOWMAXIMIZED);
  ShowWindow(test.Handle(), window.ShowCommand());
  PumpMessages();
  EXPECT_TRUE(window.IsVisible());
  EXPECT_NE(IsZoomed(test.Handle()), FALSE);
  EXPECT_EQ(window.State(), WindowState::Maximized);
}

TEST(WinPlacementWindow, VisibleWindowChangesStateAtOnce) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  ShowWindow(test.Handle(), window.ShowCommand());
  PumpMessages();
  EXPECT_EQ(window.State(), WindowState::Normal);

  window.SetState(WindowState::Minimized);
  PumpMessages();
  EXPECT_NE(IsIconic(test.Handle()), FALSE);
  EXPECT_EQ(window.State(), WindowState::Minimized);
  EXPECT_EQ(window.GetPlacement().showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));

  window.SetState(WindowState::Normal);
  PumpMessages();
  EXPECT_EQ(IsIconic(test.Handle()), FALSE);
  EXPECT_EQ(window.State(), WindowState::Normal);
}

TEST(FormStorageOnWindows, ReleasedWindowReopensWhereItWasLeft) {
  TestKey key;
  WinRegistry registry;
  RecordingErrors errors;
  const int pixelsPerInch = ReadLogicalPixelsPerInch();
  EXPECT_GT(pixelsPerInch, 0);
  {
    TestWindow test;
    WinPlacementWindow window(test.Handle(), pixelsPerInch);
    TFormStorage storage(registry, window, errors, testing::ExecutablePath());
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
  WinPlacementWindow window(test.Handle(), pixelsPerInch);
  TFormStorage storage(registry, window, errors, testing::ExecutablePath());
  storage.StoredValues().Add("CurrentBand", 1);
  bool ownShowRan = false;
  storage.OnShow([&] { ownShowRan = true; });
  EXPECT_TRUE(ownShowRan);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(window.GetPlacement().rcNormalPosition, (PlacementRect{300, 250, 568, 388}));
  EXPECT_EQ(window.ShowCommand(), SW_SHOWNORMAL);
  EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace zqt::win32
