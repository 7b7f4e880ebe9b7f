#pragma once
// Calls _Release when a message of the host is dispatched, so a test can release the module from inside the
// module's own rebuild (which lets waiting messages run).

#include <windows.h>

#include <optional>

#include "ZQTRTTYContest.h"
#include "call_window.h"

namespace zqthost {

class ReleaseHook {
 public:
  explicit ReleaseHook(ZqtReleaseFn release);

  // Posts the message; when it runs, _Release is called and the module window's existence noted.
  void Arm(HWND module_window);

  // Whether the module window still existed right after _Release; nothing while the message has not run.
  std::optional<bool> WindowAliveAfterRelease() const { return alive_after_release_; }

 private:
  ZqtReleaseFn release_;
  HWND module_window_ = nullptr;
  std::optional<bool> alive_after_release_;
  CallWindow window_;
};

}  // namespace zqthost
