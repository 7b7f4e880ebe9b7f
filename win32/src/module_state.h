#pragma once
// The module-global state the host contract calls for: the current-QSO buffer and the statistics windows,
// whose open one is the window the entry points reach.

#include <windows.h>

#include "core/qso_buffer.h"
#include "form_owner.h"

namespace zqt::win32 {

struct ModuleState {
  HINSTANCE instance = nullptr;
  // The display's logical pixels per inch, read once at the first use: a device context may not be asked for
  // while the loader lock is held in DllMain (under Wine that deadlocks).
  int PixelsPerInch();
  QsoBuffer buffer;
  FormOwner forms;
  // Whether the window classes were registered. A module that registered none leaves the window manager
  // alone as it is unloaded: under Wine, UnregisterClassA under the loader lock in a process that had made no
  // window yet never returned.
  bool classes_registered = false;

 private:
  int pixels_per_inch_ = 0;
};

ModuleState& Module();

// Called as FreeLibrary unloads the module: destroys the windows a host left behind, then unregisters the
// window classes, whose procedures would otherwise point into the unloaded image.
void UnloadWindows();

}  // namespace zqt::win32
