#pragma once
// The words of a stored position text such as "100,200,500,400".

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zqt {

// Word `n` (from 1) of `text`, where runs of "," and " " separate words; empty when there are fewer words.
std::string_view PositionWord(std::string_view text, std::size_t n);

// Word `n` as an integer; `fallback` when it is missing or does not convert.
std::int32_t PositionWordToInt(std::string_view text, std::size_t n, std::int32_t fallback);

}  // namespace zqt
