#include "window_state.h"

#include <optional>

#include "module_window.h"
#include "multiplier_watch.h"

namespace zqthost {
namespace {

struct TopLevelCount {
  std::string class_name;
  DWORD process = 0;
  int count = 0;
};

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
  auto& tally = *reinterpret_cast<TopLevelCount*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == tally.process && ClassNameOf(window) == tally.class_name) {
    ++tally.count;
  }
  return TRUE;
}

int CountTopLevelWindows(std::string_view class_name) {
  TopLevelCount tally{std::string(class_name), GetCurrentProcessId()};
  if (!tally.class_name.empty()) {
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  }
  return tally.count;
}

std::string Flag(bool value) {
  return value ? "1" : "0";
}

}  // namespace

std::string DescribeState(HWND window, std::string_view class_name) {
  const bool exists = window != nullptr && IsWindow(window);
  const HWND button = exists ? FindDescendant(window, "button") : nullptr;
  const bool topmost = exists && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  return "exists=" + Flag(exists) + " visible=" + Flag(exists && IsWindowVisible(window)) +
         " iconic=" + Flag(exists && IsIconic(window)) +
         " button-enabled=" + Flag(button != nullptr && IsWindowEnabled(button)) +
         " caption=" + (exists ? WindowText(window) : std::string()) + " topmost=" + Flag(topmost) +
         " windows=" + std::to_string(CountTopLevelWindows(class_name));
}

long long ReportedQsoCount(HWND window) {
  const std::optional<std::string> report = ReadReport(window);
  const std::optional<ReportTotals> totals = report ? TotalsOf(*report) : std::nullopt;
  return totals ? totals->front() : -1;
}

}  // namespace zqthost
