#include "stop_signal.h"

#include <string>

#include "host_error.h"

namespace zqthost {
namespace {

// The console handler gets no context, so it finds the event by a name unique to this process.
std::string EventName() {
  return "Local\\zqthost-stop-" + std::to_string(GetCurrentProcessId());
}

BOOL WINAPI OnConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT && type != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  const HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName().c_str());
  if (event == nullptr) {
    return FALSE;
  }
  SetEvent(event);
  CloseHandle(event);
  return TRUE;
}

}  // namespace

StopSignal::StopSignal() : event_(CreateEventA(nullptr, TRUE, FALSE, EventName().c_str())) {
  if (event_ == nullptr) {
    throw HostError(ExitCode::kFailure, "cannot create the stop event");
  }
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopSignal::~StopSignal() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  CloseHandle(event_);
}

}  // namespace zqthost
