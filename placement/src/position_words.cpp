#include "placement/position_words.h"

#include <algorithm>

#include "placement/integer_text.h"

namespace zqt {

std::string_view PositionWord(std::string_view text, std::size_t n) {
  constexpr std::string_view kSeparators = ", ";
  std::size_t start = 0;
  for (std::size_t word = 1;; ++word) {
    start = text.find_first_not_of(kSeparators, start);
    if (start == std::string_view::npos) {
      return {};
    }
    const auto end = std::min(text.find_first_of(kSeparators, start), text.size());
    if (word == n) {
      return text.substr(start, end - start);
    }
    start = end;
  }
}

std::int32_t PositionWordToInt(std::string_view text, std::size_t n, std::int32_t fallback) {
  return TextToInt(PositionWord(text, n), fallback);
}

}  // namespace zqt
