#pragma once
// The module-global state the host contract calls for, behind the entry points: the current-QSO buffer and
// the statistics windows, whose open one is the window the entry points reach. This is the one owner of the
// window objects: a window object lives until its native window is gone (a released window waits for its
// queued messages first) and no handler runs in it.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/boundary_records.h"
#include "core/qso_buffer.h"
#include "window_classes.h"

namespace zqt::win32 {

class TfmMainForm;

class ModuleState {
 public:
  ModuleState();
  ~ModuleState();
  ModuleState(const ModuleState&) = delete;
  ModuleState& operator=(const ModuleState&) = delete;

  // DllMain: the module's instance, which the window classes are registered for.
  void Loaded(HINSTANCE instance);
  // The entry points' work: each copies the host's record into the buffer first, as the contract says.
  HWND Run(const TContestData& data);
  int GetScore(const TContestData& data);
  int AddQSO(const TContestData& data);
  void GrabNumber(const TContestData* data, std::uint8_t* number);
  void Release();
  // FreeLibrary unloads the module: destroys the windows a host left behind, then unregisters the window
  // classes, whose procedures would otherwise point into the unloaded image.
  void Unload();

 private:
  // The open window, or null while none is open.
  TfmMainForm* Current() const;
  // The display's logical pixels per inch, read once at the first window: a device context may not be asked
  // for while the loader lock is held in DllMain (under Wine that deadlocks).
  int PixelsPerInch();
  // Lets go of the windows whose native windows are gone and which no handler still runs in.
  void DropGone();

  QsoBuffer buffer_;
  WindowClasses classes_;
  int pixels_per_inch_ = 0;
  std::vector<std::unique_ptr<TfmMainForm>> windows_;
};

ModuleState& Module();

}  // namespace zqt::win32
