#pragma once
// The placement store's view of a native window: its placement record, visibility, state and frame, the
// screen's metrics, and the display's logical pixels per inch as read when the module started.

#include <windows.h>

#include <string>

#include "placement/placement_window.h"

namespace zqt::win32 {

// The display's vertical logical pixels per inch; read once, when the module starts.
int ReadLogicalPixelsPerInch();

class WinPlacementWindow final : public PlacementWindow {
 public:
  WinPlacementWindow(HWND window, int pixels_per_inch) : hwnd_(window), pixels_per_inch_(pixels_per_inch) {}

  std::string ClassName() const override;
  bool HandleAllocated() const override;
  WindowPlacement GetPlacement() const override;
  void SetPlacement(const WindowPlacement& placement) override;
  bool IsVisible() const override;
  BorderStyle Border() const override;
  int SystemMetric(int index) const override;
  int PixelsPerInch() const override { return pixels_per_inch_; }
  void SetState(WindowState state) override;
  void Update() override;

  // A visible window's state, or the state a hidden one takes when it is next shown.
  WindowState State() const;
  // The ShowWindow command that shows a hidden window in that state.
  int ShowCommand() const;

 private:
  HWND hwnd_;
  int pixels_per_inch_;
  WindowState hidden_state_ = WindowState::kNormal;
};

}  // namespace zqt::win32
