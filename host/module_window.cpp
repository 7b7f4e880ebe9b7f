#include "module_window.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "core/ascii_case.h"

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

}  // namespace zqthost
