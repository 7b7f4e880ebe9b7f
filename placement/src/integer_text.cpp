#include "placement/integer_text.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace zqt {
namespace {

std::optional<unsigned> DigitValue(char c, unsigned base) {
  unsigned value = 0;
  if (c >= '0' && c <= '9') {
    value = static_cast<unsigned>(c - '0');
  } else if (base == 16 && c >= 'a' && c <= 'f') {
    value = static_cast<unsigned>(c - 'a' + 10);
  } else if (base == 16 && c >= 'A' && c <= 'F') {
    value = static_cast<unsigned>(c - 'A' + 10);
  } else {
    return std::nullopt;
  }
  return value;
}

// The digits as a magnitude no larger than `limit`; empty for no digits, a stray character or overflow.
std::optional<std::uint64_t> ParseMagnitude(std::string_view digits, unsigned base, std::uint64_t limit) {
  if (digits.empty()) {
    return std::nullopt;
  }
  std::uint64_t magnitude = 0;
  for (char c : digits) {
    auto digit = DigitValue(c, base);
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
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
    return 1;
  }
  return 0;
}

}  // namespace

std::int32_t TextToInt(std::string_view text, std::int32_t fallback) {
  while (text.starts_with(' ')) {
    text.remove_prefix(1);
  }
  if (const auto prefix = HexPrefixLength(text); prefix != 0) {
    auto magnitude = ParseMagnitude(text.substr(prefix), 16, std::numeric_limits<std::uint32_t>::max());
    return magnitude ? static_cast<std::int32_t>(static_cast<std::uint32_t>(*magnitude)) : fallback;
  }
  bool negative = false;
  if (text.starts_with('-') || text.starts_with('+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : std::numeric_limits<std::int32_t>::max();
  auto magnitude = ParseMagnitude(text, 10, limit);
  if (!magnitude) {
    return fallback;
  }
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace zqt
