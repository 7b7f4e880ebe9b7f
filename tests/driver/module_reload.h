#pragma once
// Unloads the module and loads it again, as a host does that closes and reopens its contest: every time a
// window is run and released first, and after the unload none of the module's window classes may still be
// registered under the image that is gone.

#include <string>

#include "ZQTRTTYContest.h"

namespace zqthost {

struct ReloadOutcome {
  int loads = 0;
  int addresses = 0;     // distinct load addresses
  int windows = 0;       // runs that returned a live window
  int windows_left = 0;  // windows that still existed after their module was unloaded
  int classes_left = 0;  // the module's classes still registered after an unload, over all loads
};

// Loads a copy of the module at `module_path` (the loaded original would keep the image mapped) `times`
// times, each time elsewhere than the time before; runs it with `record`, releases it, pumps until its window
// is gone (unless `wait_for_window` is false, as a careless host does), unloads it and looks the window's own
// classes up under the unloaded instance. Throws HostError when the copy cannot be made or loaded, or a
// window outlives its release.
ReloadOutcome ReloadModule(const std::string& module_path, const TContestData& record, int times,
                           bool wait_for_window);

}  // namespace zqthost
