// The placement store's window adapter on real windows.

#include <gtest/gtest.h>
#include <windows.h>

#include "module_fixture.h"
#include "win32/win_placement_window.h"

namespace zqt::win32 {
namespace {

using test::Pump;

constexpr char kClassName[] = "TfmMainForm";

// A hidden, sizeable, always-on-top window at the design place, destroyed with the object.
class TestWindow {
 public:
  TestWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST, kClassName, "test",
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, 1052,
                            152, 268, 138, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

TEST(WinPlacementWindow, AppliesAPlacementToAHiddenWindowWithoutShowingIt) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  EXPECT_EQ(window.PixelsPerInch(), 96);
  EXPECT_GT(ReadLogicalPixelsPerInch(), 0);
  EXPECT_EQ(window.SystemMetric(kSmCxFrame), GetSystemMetrics(SM_CXFRAME));
  auto placement = window.GetPlacement();
  EXPECT_EQ(placement.length, 44u);
  EXPECT_EQ(placement.normal_position, (PlacementRect{1052, 152, 1320, 290}));

  placement.show_cmd = 0;
  placement.normal_position = {100, 200, 500, 400};
  window.SetPlacement(placement);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(window.GetPlacement().normal_position, (PlacementRect{100, 200, 500, 400}));
  RECT rect{};
  GetWindowRect(test.Handle(), &rect);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 200);
}

TEST(WinPlacementWindow, HiddenWindowTakesItsStateWhenShown) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  EXPECT_EQ(window.ShowCommand(), SW_SHOWNORMAL);
  window.SetState(WindowState::kMaximized);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(window.ShowCommand(), SW_SHOWMAXIMIZED);
  ShowWindow(test.Handle(), window.ShowCommand());
  Pump();
  EXPECT_TRUE(window.IsVisible());
  EXPECT_NE(IsZoomed(test.Handle()), FALSE);
}

TEST(WinPlacementWindow, VisibleWindowChangesStateAtOnce) {
  TestWindow test;
  WinPlacementWindow window(test.Handle(), 96);
  ShowWindow(test.Handle(), window.ShowCommand());
  Pump();
  window.SetState(WindowState::kMaximized);
  Pump();
  EXPECT_NE(IsZoomed(test.Handle()), FALSE);
  EXPECT_EQ(window.GetPlacement().show_cmd, static_cast<UINT>(SW_SHOWMAXIMIZED));

  window.SetState(WindowState::kNormal);
  Pump();
  EXPECT_EQ(IsZoomed(test.Handle()), FALSE);
  ShowWindow(test.Handle(), SW_MINIMIZE);
  window.SetState(WindowState::kNormal);
  Pump();
  EXPECT_EQ(IsIconic(test.Handle()), FALSE);
}

}  // namespace
}  // namespace zqt::win32
