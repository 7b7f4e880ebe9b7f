#pragma once
// A hidden message-only window of the host that runs a callback for each message posted to it, so that host
// code runs wherever the thread's messages are dispatched, the module's own message pumps included.

#include <windows.h>

#include <functional>

namespace zqthost {

class CallWindow {
 public:
  // The callback gets the posted value.
  explicit CallWindow(std::function<void(WPARAM)> on_call);
  ~CallWindow();
  CallWindow(const CallWindow&) = delete;
  CallWindow& operator=(const CallWindow&) = delete;

  void Post(WPARAM value) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  std::function<void(WPARAM)> on_call_;
  HWND window_ = nullptr;
};

}  // namespace zqthost
