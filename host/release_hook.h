#pragma once
// A hidden window of the host that calls _Release when its message is dispatched, so a test can release the
// module from inside the module's own rebuild (which lets waiting messages run).

#include <windows.h>

#include <optional>

#include "ZQTRTTYContest.h"

namespace zqthost {

class ReleaseHook {
 public:
  explicit ReleaseHook(ZqtReleaseFn release);
  ~ReleaseHook();
  ReleaseHook(const ReleaseHook&) = delete;
  ReleaseHook& operator=(const ReleaseHook&) = delete;

  // Posts the message; when it runs, _Release is called and the module window's existence noted.
  void Arm(HWND module_window);

  // Whether the module window still existed right after _Release; nothing while the message has not run.
  std::optional<bool> WindowAliveAfterRelease() const { return alive_after_release_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  ZqtReleaseFn release_;
  HWND module_window_ = nullptr;
  std::optional<bool> alive_after_release_;
  ATOM class_ = 0;
  HWND window_ = nullptr;
};

}  // namespace zqthost
