#pragma once
// Line output shared by the UI thread and the message-box watcher: whole lines, flushed one by one.

#include <mutex>
#include <string_view>

namespace zqthost {

class Console {
 public:
  // Switches stdout to binary so lines end in LF only, whatever the C runtime's text mode does.
  Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  void Line(std::string_view text);

 private:
  std::mutex mutex_;
};

}  // namespace zqthost
