#include "call_window.h"

#include <utility>

#include "host_error.h"

namespace zqthost {
namespace {

constexpr char kClassName[] = "zqthost call window";
constexpr UINT kCallMessage = WM_APP + 1;

}  // namespace

CallWindow::CallWindow(std::function<void(WPARAM)> on_call) : on_call_(std::move(on_call)) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  if (!GetClassInfoExA(instance, kClassName, &window_class)) {
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = kClassName;
    if (RegisterClassExA(&window_class) == 0) {
      throw HostError(ExitCode::kFailure, "cannot register the host's window class");
    }
  }
  window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
  if (window_ == nullptr) {
    throw HostError(ExitCode::kFailure, "cannot create the host's window");
  }
}

CallWindow::~CallWindow() {
  DestroyWindow(window_);
}

void CallWindow::Post(WPARAM value) const {
  PostMessageA(window_, kCallMessage, value, 0);
}

LRESULT CALLBACK CallWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == kCallMessage) {
    if (const auto* self = reinterpret_cast<const CallWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
      self->on_call_(wparam);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace zqthost
