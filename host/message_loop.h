#pragma once
// The host's message loop on the UI thread, in the shapes the flows need.

#include <windows.h>

#include <chrono>

namespace zqthost {

// Dispatches every waiting message, including those posted meanwhile. Returns false once WM_QUIT was seen.
bool DrainMessages();

// Dispatches messages as they arrive for the given time.
void PumpFor(std::chrono::milliseconds duration);

// Dispatches messages until the window is destroyed; false when it still exists after the timeout.
bool PumpUntilGone(HWND window, std::chrono::milliseconds timeout);

// Dispatches messages until the window is gone, the event is signalled or WM_QUIT arrives.
void PumpWhileWindowLives(HWND window, HANDLE stop_event);

}  // namespace zqthost
