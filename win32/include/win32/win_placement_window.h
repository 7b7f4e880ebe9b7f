#pragma once
// The placement store's view of the native statistics window: its placement record, visibility and show
// state, the screen's metrics, and the display's logical pixels per inch as read when the module started.

#include <windows.h>

#include "placement/placement_window.h"

namespace zqt::win32 {

// The display's vertical logical pixels per inch; read once, when the module starts.
int ReadLogicalPixelsPerInch();

class WinPlacementWindow final : public PlacementWindow {
 public:
  WinPlacementWindow(HWND window, int pixels_per_inch) : hwnd_(window), pixels_per_inch_(pixels_per_inch) {}

  WindowPlacement GetPlacement() const override;
  void SetPlacement(const WindowPlacement& placement) override;
  bool IsVisible() const override;
  void SetState(WindowState state) override;
  void Update() override;
  int SystemMetric(int index) const override;
  int PixelsPerInch() const override { return pixels_per_inch_; }

  // The ShowWindow command that shows a hidden window in the state it was last given.
  int ShowCommand() const;

 private:
  HWND hwnd_;
  int pixels_per_inch_;
  WindowState state_ = WindowState::kNormal;
};

}  // namespace zqt::win32
