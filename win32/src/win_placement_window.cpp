#include "win32/win_placement_window.h"

#include "win32/win_handles.h"

namespace zqt::win32 {
namespace {

static_assert(sizeof(WINDOWPLACEMENT) == sizeof(WindowPlacement));

PlacementPoint FromPoint(POINT p) {
  return {p.x, p.y};
}
POINT ToPoint(PlacementPoint p) {
  return {p.x, p.y};
}

}  // namespace

int ReadLogicalPixelsPerInch() {
  const UniqueScreenDc dc(GetDC(nullptr));
  return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

WindowPlacement WinPlacementWindow::GetPlacement() const {
  WINDOWPLACEMENT native{};
  native.length = sizeof(native);
  GetWindowPlacement(hwnd_, &native);
  const RECT& r = native.rcNormalPosition;
  return {native.length,
          native.flags,
          native.showCmd,
          FromPoint(native.ptMinPosition),
          FromPoint(native.ptMaxPosition),
          {r.left, r.top, r.right, r.bottom}};
}

void WinPlacementWindow::SetPlacement(const WindowPlacement& placement) {
  const PlacementRect& r = placement.normal_position;
  const WINDOWPLACEMENT native{sizeof(WINDOWPLACEMENT),
                               placement.flags,
                               placement.show_cmd,
                               ToPoint(placement.min_position),
                               ToPoint(placement.max_position),
                               {r.left, r.top, r.right, r.bottom}};
  SetWindowPlacement(hwnd_, &native);
}

bool WinPlacementWindow::IsVisible() const {
  return IsWindowVisible(hwnd_) != FALSE;
}

void WinPlacementWindow::SetState(WindowState state) {
  state_ = state;
  // Showing a window already in that state would activate it, taking the focus from the host.
  const bool maximized = IsZoomed(hwnd_) != FALSE;
  if (IsVisible() && (IsIconic(hwnd_) != FALSE || maximized != (state == WindowState::kMaximized))) {
    ShowWindow(hwnd_, ShowCommand());
  }
}

void WinPlacementWindow::Update() {
  UpdateWindow(hwnd_);
}

int WinPlacementWindow::SystemMetric(int index) const {
  return GetSystemMetrics(index);
}

int WinPlacementWindow::ShowCommand() const {
  return state_ == WindowState::kMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
}

}  // namespace zqt::win32
