#include "core/host_name.h"

#include <algorithm>

namespace zqt {
namespace {

constexpr auto kNone = std::string_view::npos;

struct Found {
  std::size_t first = kNone;
  std::size_t last = kNone;
};

// Where the characters of `text` that are one of the single-byte characters in `set` stand. A lead byte is
// never one of them, and its trail byte is skipped with it.
Found FindChars(std::string_view text, std::string_view set, const CodePage& code_page) {
  Found found;
  for (std::size_t at = 0; at < text.size();) {
    if (set.find(text[at]) != kNone) {
      found.first = std::min(found.first, at);
      found.last = at;
    }
    at += std::clamp<std::size_t>(code_page.CharLength(text.substr(at)), 1, text.size() - at);
  }
  return found;
}

std::string_view FileName(std::string_view path, std::string_view separators, const CodePage& code_page) {
  const std::size_t separator = FindChars(path, separators, code_page).last;
  return separator == kNone ? path : path.substr(separator + 1);
}

}  // namespace

std::string ApplicationTitle(std::string_view exe_path, const CodePage& code_page) {
  std::string_view name = FileName(exe_path, "\\/:", code_page);
  name = name.substr(0, FindChars(name, ".", code_page).first);
  if (name.empty())
    return {};
  const std::size_t first = std::clamp<std::size_t>(code_page.CharLength(name), 1, name.size());
  return std::string(name.substr(0, first)) + code_page.ToLower(name.substr(first));
}

std::string DefaultStoreKey(std::string_view exe_path, const CodePage& code_page) {
  std::string_view name = FileName(exe_path, "\\:", code_page);
  name = name.substr(0, FindChars(name, ".", code_page).last);
  return "Software\\" + std::string(name);
}

}  // namespace zqt
