#include "placement/value_format.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "core/error.h"

namespace zqt {
namespace {

std::optional<unsigned> DigitValue(char c, unsigned base) {
  if (c >= '0' && c <= '9') {
    return static_cast<unsigned>(c - '0');
  }
  if (base == 16 && c >= 'a' && c <= 'f') {
    return static_cast<unsigned>(c - 'a' + 10);
  }
  if (base == 16 && c >= 'A' && c <= 'F') {
    return static_cast<unsigned>(c - 'A' + 10);
  }
  return std::nullopt;
}

// The digits as a magnitude no larger than `limit`; empty for no digits, a stray character or overflow.
std::optional<std::uint64_t> ParseMagnitude(std::string_view digits, unsigned base, std::uint64_t limit) {
  if (digits.empty()) {
    return std::nullopt;
  }
  std::uint64_t magnitude = 0;
  for (char c : digits) {
    const auto digit = DigitValue(c, base);
    if (!digit) {
      return std::nullopt;
    }
    magnitude = magnitude * base + *digit;
    if (magnitude > limit) {
      return std::nullopt;
    }
  }
  return magnitude;
}

// Length of a hexadecimal prefix at the start of `text`, 0 when there is none.
std::size_t HexPrefixLength(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) {
    return 2;
  }
  return text.starts_with('$') || text.starts_with('x') || text.starts_with('X') ? 1 : 0;
}

std::string Quoted(std::string_view name) {
  return "'" + std::string(name) + "'";
}

}  // namespace

std::int32_t TextToInt(std::string_view text, std::int32_t fallback) {
  while (text.starts_with(' ')) {
    text.remove_prefix(1);
  }
  if (const auto prefix = HexPrefixLength(text); prefix != 0) {
    const auto magnitude = ParseMagnitude(text.substr(prefix), 16, std::numeric_limits<std::uint32_t>::max());
    return magnitude ? static_cast<std::int32_t>(static_cast<std::uint32_t>(*magnitude)) : fallback;
  }
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) {
    text.remove_prefix(1);
  }
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : std::numeric_limits<std::int32_t>::max();
  const auto magnitude = ParseMagnitude(text, 10, limit);
  if (!magnitude) {
    return fallback;
  }
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t PositionWord(std::string_view text, std::size_t n, std::int32_t fallback) {
  constexpr std::string_view kSeparators = ", ";
  std::size_t start = 0;
  for (std::size_t word = 1;; ++word) {
    start = text.find_first_not_of(kSeparators, start);
    if (start == std::string_view::npos) {
      return fallback;
    }
    const auto end = std::min(text.find_first_of(kSeparators, start), text.size());
    if (word == n) {
      return TextToInt(text.substr(start, end - start), fallback);
    }
    start = end;
  }
}

std::string PositionText(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  return std::to_string(a) + ',' + std::to_string(b) + ',' + std::to_string(c) + ',' + std::to_string(d);
}

std::string ScreenSizeSuffix(int width, int height) {
  return '(' + std::to_string(width) + 'x' + std::to_string(height) + ')';
}

std::string ValueText(std::string_view name, const SectionValue& value) {
  if (value.size == 0) {
    return {};
  }
  if (value.type != kRegSz && value.type != kRegExpandSz) {
    throw Error("Invalid data type for " + Quoted(name));
  }
  if (!value.data) {
    throw Error("Failed to get data for " + Quoted(name));
  }
  return value.data->substr(0, value.data->find('\0'));
}

}  // namespace zqt
