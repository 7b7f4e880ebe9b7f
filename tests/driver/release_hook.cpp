#include "release_hook.h"

namespace zqthost {

ReleaseHook::ReleaseHook(ZqtReleaseFn release)
    : release_(release), window_([this](WPARAM) {
        release_();
        alive_after_release_ = IsWindow(module_window_) != FALSE;
      }) {}

void ReleaseHook::Arm(HWND module_window) {
  module_window_ = module_window;
  alive_after_release_.reset();
  window_.Post(0);
}

}  // namespace zqthost
