#pragma once
// The module-global state the host contract calls for: the current-QSO buffer and the window reference, plus
// the window objects that live until their native windows are destroyed.

#include <windows.h>

#include <memory>
#include <vector>

#include "core/qso_buffer.h"

namespace zqt::win32 {

class TfmMainForm;

struct ModuleState {
  HINSTANCE instance = nullptr;
  // The display's logical pixels per inch, read once at the first use: a device context may not be asked for
  // while the loader lock is held in DllMain (under Wine that deadlocks).
  int PixelsPerInch();
  QsoBuffer buffer;
  // The one statistics window reached by the entry points; empty while none exists or once it is released.
  TfmMainForm* main_form = nullptr;
  // Owners of every window object whose native window still exists (a released window waits for its queued
  // messages before it is destroyed).
  std::vector<std::unique_ptr<TfmMainForm>> windows;
  // Whether the window classes were registered. A module that registered none leaves the window manager
  // alone as it is unloaded: under Wine, UnregisterClassA under the loader lock in a process that had made no
  // window yet never returned.
  bool classes_registered = false;

  // Takes a new window into the owners, then makes it the one the entry points reach; when taking it fails,
  // the window goes and nothing refers to it.
  void Adopt(std::unique_ptr<TfmMainForm> form);

 private:
  int pixels_per_inch_ = 0;
};

ModuleState& Module();

// Called as a window's native window is finally destroyed: drops the reference and the object.
void ForgetWindow(const TfmMainForm* form);

// Called as FreeLibrary unloads the module: destroys the windows a host left behind, then unregisters the
// window classes, whose procedures would otherwise point into the unloaded image.
void UnloadWindows();

}  // namespace zqt::win32
