#include "log_files/ascii_text.h"

namespace zqt::log_files {

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i]))
      ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsBlank(text[i]))
      ++i;
    if (i > start)
      words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  int number = 1;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.push_back({line, number++});
    if (end == std::string_view::npos)
      break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string Quoted(std::string_view value) {
  constexpr std::size_t kMaxShown = 40;
  std::string shown = "\"";
  for (std::size_t i = 0; i < value.size() && i < kMaxShown; ++i) {
    const char c = value[i];
    shown += (c >= ' ' && c <= '~') ? c : '?';
  }
  if (value.size() > kMaxShown)
    shown += "...";
  return shown + "\"";
}

int ParseSmallNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 9)
    return -1;
  int value = 0;
  for (const char c : digits) {
    if (!IsAsciiDigit(c))
      return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace zqt::log_files
