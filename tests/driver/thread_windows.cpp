#include "thread_windows.h"

#include <windows.h>

#include <string>
#include <vector>

#include "module_window.h"

namespace zqthost {
namespace {

BOOL CALLBACK Collect(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace

int CountThreadWindows(std::string_view class_name) {
  const std::vector<HWND> top_level = TopLevelWindows();
  std::vector<HWND> windows = top_level;
  for (HWND top : top_level) {
    EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&windows));
  }
  const std::string name(class_name);
  for (HWND message_only = nullptr;
       (message_only = FindWindowExA(HWND_MESSAGE, message_only, name.c_str(), nullptr)) != nullptr;) {
    if (GetWindowThreadProcessId(message_only, nullptr) == GetCurrentThreadId()) {
      windows.push_back(message_only);
    }
  }
  int count = 0;
  for (HWND window : windows) {
    count += ClassNameOf(window) == class_name ? 1 : 0;
  }
  return count;
}

int BroadcastToThreadWindows() {
  const std::vector<HWND> windows = TopLevelWindows();
  for (HWND window : windows) {
    SendMessageA(window, WM_SETTINGCHANGE, 0, 0);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    SendMessageA(window, WM_ENDSESSION, FALSE, 0);
  }
  return static_cast<int>(windows.size());
}

}  // namespace zqthost
