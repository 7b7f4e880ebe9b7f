#pragma once
// Answers the message boxes shown on the UI thread: prints "box: <caption>|<text>" and presses OK.

#include <windows.h>

#include <thread>

#include "console.h"

namespace zqthost {

class BoxWatcher {
 public:
  // Polls the thread's top-level windows every 20 ms until destroyed.
  BoxWatcher(Console& console, DWORD ui_thread);
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

 private:
  std::jthread thread_;
};

}  // namespace zqthost
