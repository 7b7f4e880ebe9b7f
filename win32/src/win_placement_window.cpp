#include "win32/win_placement_window.h"

#include <array>

#include "win_handles.h"

namespace zqt::win32 {
namespace {

static_assert(sizeof(WINDOWPLACEMENT) == sizeof(WindowPlacement));

PlacementPoint FromPoint(POINT p) {
  return {p.x, p.y};
}
POINT ToPoint(PlacementPoint p) {
  return {p.x, p.y};
}

int ShowCommandFor(WindowState state) {
  switch (state) {
    case WindowState::kMinimized:
      return SW_SHOWMINIMIZED;
    case WindowState::kMaximized:
      return SW_SHOWMAXIMIZED;
    case WindowState::kNormal:
      break;
  }
  return SW_SHOWNORMAL;
}

}  // namespace

int ReadLogicalPixelsPerInch() {
  const UniqueScreenDc dc(GetDC(nullptr));
  return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

std::string WinPlacementWindow::ClassName() const {
  std::array<char, 256> name{};
  const int length = GetClassNameA(hwnd_, name.data(), static_cast<int>(name.size()));
  return std::string(name.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

bool WinPlacementWindow::HandleAllocated() const {
  return hwnd_ != nullptr && IsWindow(hwnd_) != FALSE;
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

BorderStyle WinPlacementWindow::Border() const {
  const auto style = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE));
  const bool tool = (ex_style & WS_EX_TOOLWINDOW) != 0;
  if ((style & WS_THICKFRAME) != 0) {
    return tool ? BorderStyle::kSizeToolWin : BorderStyle::kSizeable;
  }
  if ((ex_style & WS_EX_DLGMODALFRAME) != 0) {
    return BorderStyle::kDialog;
  }
  if ((style & WS_BORDER) != 0) {
    return tool ? BorderStyle::kToolWindow : BorderStyle::kSingle;
  }
  return BorderStyle::kNone;
}

int WinPlacementWindow::SystemMetric(int index) const {
  return GetSystemMetrics(index);
}

void WinPlacementWindow::SetState(WindowState state) {
  if (!IsVisible()) {
    hidden_state_ = state;
    return;
  }
  if (state != State()) {
    ShowWindow(hwnd_, state == WindowState::kMinimized ? SW_MINIMIZE : ShowCommandFor(state));
  }
}

void WinPlacementWindow::Update() {
  UpdateWindow(hwnd_);
}

WindowState WinPlacementWindow::State() const {
  if (!IsVisible()) {
    return hidden_state_;
  }
  if (IsIconic(hwnd_) != FALSE) {
    return WindowState::kMinimized;
  }
  return IsZoomed(hwnd_) != FALSE ? WindowState::kMaximized : WindowState::kNormal;
}

int WinPlacementWindow::ShowCommand() const {
  return ShowCommandFor(State());
}

}  // namespace zqt::win32
