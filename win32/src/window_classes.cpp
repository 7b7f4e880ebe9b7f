#include "window_classes.h"

namespace zqt::win32 {
namespace {

// The button's notifications and drawing belong to the window, the panel's parent.
LRESULT CALLBACK PanelProc(HWND panel, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_COMMAND || msg == WM_DRAWITEM)
    return SendMessageA(GetParent(panel), msg, wparam, lparam);
  return DefWindowProcA(panel, msg, wparam, lparam);
}

}  // namespace

void WindowClasses::Register() {
  // Both classes paint the button-face colour.
  const auto register_class = [this](const char* name, WNDPROC procedure) {
    WNDCLASSEXA window_class{};
    if (GetClassInfoExA(instance_, name, &window_class))
      return;
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance_;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = name;
    RegisterClassExA(&window_class);
  };
  register_class(kWindowClass, window_procedure_);
  register_class(kPanelClass, PanelProc);
  registered_ = true;
}

void WindowClasses::Unregister() {
  if (!registered_)
    return;
  UnregisterClassA(kWindowClass, instance_);
  UnregisterClassA(kPanelClass, instance_);
}

}  // namespace zqt::win32
