#include "message_loop.h"

#include <algorithm>

namespace zqthost {
namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD kRecheckMs = 50;

DWORD MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<DWORD>(std::clamp<long long>(left, 0, kRecheckMs));
}

}  // namespace

bool DrainMessages() {
  MSG message;
  bool running = true;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      running = false;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return running;
}

void PumpFor(std::chrono::milliseconds duration) {
  const Clock::time_point deadline = Clock::now() + duration;
  do {
    DrainMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, MillisecondsUntil(deadline), QS_ALLINPUT);
  } while (Clock::now() < deadline);
  DrainMessages();
}

bool PumpUntilGone(HWND window, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    DrainMessages();
    if (window == nullptr || !IsWindow(window)) {
      return true;
    }
    if (Clock::now() >= deadline) {
      return false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, MillisecondsUntil(deadline), QS_ALLINPUT);
  }
}

void PumpWhileWindowLives(HWND window, HANDLE stop_event) {
  while (DrainMessages() && IsWindow(window)) {
    if (MsgWaitForMultipleObjects(1, &stop_event, FALSE, kRecheckMs, QS_ALLINPUT) == WAIT_OBJECT_0) {
      return;
    }
  }
}

}  // namespace zqthost
