#include "release_hook.h"

#include "host_error.h"

namespace zqthost {
namespace {

constexpr char kClassName[] = "zqthost release hook";
constexpr UINT kReleaseMessage = WM_APP + 1;

}  // namespace

ReleaseHook::ReleaseHook(ZqtReleaseFn release) : release_(release) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kClassName;
  class_ = RegisterClassExA(&window_class);
  if (class_ == 0) {
    throw HostError(ExitCode::kFailure, "cannot register the host's window class");
  }
  window_ = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, window_class.hInstance,
                            this);
  if (window_ == nullptr) {
    UnregisterClassA(kClassName, window_class.hInstance);
    throw HostError(ExitCode::kFailure, "cannot create the host's window");
  }
}

ReleaseHook::~ReleaseHook() {
  DestroyWindow(window_);
  UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
}

void ReleaseHook::Arm(HWND module_window) {
  module_window_ = module_window;
  alive_after_release_.reset();
  PostMessageA(window_, kReleaseMessage, 0, 0);
}

LRESULT CALLBACK ReleaseHook::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == kReleaseMessage) {
    if (auto* hook = reinterpret_cast<ReleaseHook*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
      hook->release_();
      hook->alive_after_release_ = IsWindow(hook->module_window_) != FALSE;
    }
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace zqthost
