#include "module_window.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "base/ascii_case.h"

namespace zqthost {
namespace {

struct DescendantSearch {
  std::string class_part;
  HWND found = nullptr;
};

BOOL CALLBACK MatchDescendant(HWND child, LPARAM context) {
  auto& search = *reinterpret_cast<DescendantSearch*>(context);
  if (zqt::ToLowerAscii(ClassNameOf(child)).find(search.class_part) != std::string::npos) {
    search.found = child;
    return FALSE;
  }
  return TRUE;
}

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

char Flag(bool value) {
  return value ? '1' : '0';
}

}  // namespace

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) {
    return {};
  }
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), static_cast<std::size_t>(std::max(copied, 0)));
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

HWND FindDescendant(HWND parent, std::string_view class_part) {
  DescendantSearch search{zqt::ToLowerAscii(class_part)};
  EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string HandleText(const void* handle) {
  char digits[2 * sizeof(std::uintptr_t)];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, reinterpret_cast<std::uintptr_t>(handle), 16).ptr;
  return "0x" + std::string(digits, end);
}

std::string UnixLines(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      lines += text[i];
    }
  }
  return lines;
}

std::optional<std::string> ReadReport(HWND window) {
  if (window == nullptr || !IsWindow(window)) {
    return std::nullopt;
  }
  const HWND edit = FindDescendant(window, "edit");
  if (edit == nullptr) {
    return std::nullopt;
  }
  return UnixLines(WindowText(edit));
}

long long ReportedQsoCount(HWND window) {
  const std::optional<std::string> report = ReadReport(window);
  const std::size_t at = report ? report->find("Total\t") : std::string::npos;
  return at == std::string::npos ? -1 : std::stoll(report->substr(at + 6));
}

std::string FormatReport(const std::optional<std::string>& report) {
  if (!report) {
    return "report: none";
  }
  std::string block = "report:\n" + *report;
  if (!report->empty() && report->back() != '\n') {
    block += '\n';
  }
  return block + "end report";
}

int CountTopLevelWindows(std::string_view class_name) {
  TopLevelCount tally{std::string(class_name), GetCurrentProcessId()};
  if (!tally.class_name.empty()) {
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  }
  return tally.count;
}

std::string DescribeState(HWND window, std::string_view class_name) {
  const bool exists = window != nullptr && IsWindow(window);
  const HWND button = exists ? FindDescendant(window, "button") : nullptr;
  const bool topmost = exists && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  std::string state = "exists=";
  state += Flag(exists);
  state += " visible=";
  state += Flag(exists && IsWindowVisible(window));
  state += " iconic=";
  state += Flag(exists && IsIconic(window));
  state += " button-enabled=";
  state += Flag(button != nullptr && IsWindowEnabled(button));
  state += " caption=" + (exists ? WindowText(window) : std::string());
  state += " topmost=";
  state += Flag(topmost);
  state += " windows=" + std::to_string(CountTopLevelWindows(class_name));
  return state;
}

}  // namespace zqthost
