#include "box_watcher.h"

#include <chrono>
#include <map>
#include <vector>

#include "module_window.h"

namespace zqthost {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);
// A box that ignores OK (Yes/No, Retry/Cancel) gets Cancel, then a click on its first button.
constexpr int kPollsBeforeEscalating = 10;
constexpr int kMessageBoxTextId = 0xFFFF;

BOOL CALLBACK CollectBoxes(HWND window, LPARAM context) {
  if (ClassNameOf(window) == "#32770" && IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  }
  return TRUE;
}

std::vector<HWND> VisibleBoxes(DWORD thread) {
  std::vector<HWND> boxes;
  EnumThreadWindows(thread, CollectBoxes, reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

void Press(HWND box, int polls_since_ok) {
  if (polls_since_ok == 0) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  } else if (polls_since_ok == kPollsBeforeEscalating) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  } else if (polls_since_ok % kPollsBeforeEscalating == 0) {
    if (const HWND button = FindDescendant(box, "button")) {
      PostMessageA(button, BM_CLICK, 0, 0);
    }
  }
}

void Watch(const std::stop_token& stop, Console& console, DWORD ui_thread) {
  // Boxes already printed, with the number of polls since OK was pressed on them.
  std::map<HWND, int> answered;
  while (!stop.stop_requested()) {
    const std::vector<HWND> boxes = VisibleBoxes(ui_thread);
    std::map<HWND, int> still_open;
    for (const HWND box : boxes) {
      const auto seen = answered.find(box);
      int polls = 0;
      if (seen == answered.end()) {
        const HWND text = GetDlgItem(box, kMessageBoxTextId);
        console.Line("box: " + UnixLines(WindowText(box)) + "|" +
                     (text != nullptr ? UnixLines(WindowText(text)) : std::string()));
      } else {
        polls = seen->second + 1;
      }
      Press(box, polls);
      still_open[box] = polls;
    }
    answered = std::move(still_open);
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace

BoxWatcher::BoxWatcher(Console& console, DWORD ui_thread)
    : thread_([&console, ui_thread](const std::stop_token& stop) { Watch(stop, console, ui_thread); }) {}

}  // namespace zqthost
