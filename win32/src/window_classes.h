#pragma once
// The module's two window classes, the statistics window's and its button panel's: registered once per loaded
// module, at the first window, and unregistered as the module is unloaded, since their procedures point into
// its image.

#include <windows.h>

namespace zqt::win32 {

class WindowClasses {
 public:
  static constexpr const char* kWindowClass = "TfmMainForm";
  static constexpr const char* kPanelClass = "TPanel";

  // `window_procedure` handles the statistics window's messages.
  WindowClasses(HINSTANCE instance, WNDPROC window_procedure)
      : instance_(instance), window_procedure_(window_procedure) {}

  HINSTANCE Instance() const { return instance_; }
  // Registers both classes unless they are.
  void Register();
  // Unregisters them; a class that still has windows stays. A module that registered none leaves the window
  // manager alone: under Wine, UnregisterClassA under the loader lock in a process that had made no window
  // yet never returned.
  void Unregister();

 private:
  HINSTANCE instance_;
  WNDPROC window_procedure_;
  bool registered_ = false;
};

}  // namespace zqt::win32
