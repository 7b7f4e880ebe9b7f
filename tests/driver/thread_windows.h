#pragma once
// The windows of the UI thread as a whole: how many of one class are left, and the notices the system sends
// every top-level window.

#include <string_view>

namespace zqthost {

// Windows of this thread with exactly that class name: top-level (hidden ones too), their descendants, and
// message-only windows.
int CountThreadWindows(std::string_view class_name);

// Sends every top-level window of this thread what the system broadcasts to all of them (a setting and the
// colours changed, the session may end and then goes on); returns how many windows got it.
int BroadcastToThreadWindows();

}  // namespace zqthost
