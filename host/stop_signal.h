#pragma once
// Ctrl+C, Ctrl+Break and closing the console end the host's wait for the module window instead of killing
// the process, so the module is still released properly.

#include <windows.h>

namespace zqthost {

class StopSignal {
 public:
  StopSignal();
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  // Signalled once the operator asked to stop.
  HANDLE event() const { return event_; }

 private:
  HANDLE event_ = nullptr;
};

}  // namespace zqthost
