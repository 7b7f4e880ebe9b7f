#pragma once
// ASCII letter case: only A-Z and a-z change; every other byte, including those above 127, stays as it is.
// Log columns, registry names and log files compare this way whatever the user's locale.

#include <algorithm>
#include <string>
#include <string_view>

namespace zqt {

constexpr char ToUpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char ToLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string ToUpperAscii(std::string_view text) {
  std::string result(text);
  std::ranges::transform(result, result.begin(), [](char c) { return ToUpperAscii(c); });
  return result;
}

inline std::string ToLowerAscii(std::string_view text) {
  std::string result(text);
  std::ranges::transform(result, result.begin(), [](char c) { return ToLowerAscii(c); });
  return result;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

}  // namespace zqt
