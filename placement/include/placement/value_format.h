#pragma once
// How the placement store writes its values as text and reads them back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "placement/settings_section.h"

namespace zqt {

// Leading blanks, then an optional sign and decimal digits (a signed 32-bit value), or a hexadecimal number
// introduced by "$", "x", "X", "0x" or "0X" (any 32-bit pattern). Anything else gives `fallback`.
std::int32_t TextToInt(std::string_view text, std::int32_t fallback);

// Word `n` (from 1) of a position text such as "100,200,500,400", where runs of "," and " " separate words,
// as an integer; `fallback` when the word is missing or does not convert.
std::int32_t PositionWord(std::string_view text, std::size_t n, std::int32_t fallback);

// "%d,%d,%d,%d".
std::string PositionText(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d);

// "(%dx%d)" of the primary screen's width and height, appended to the names of the position values.
std::string ScreenSizeSuffix(int width, int height);

// A string value's text: its data up to the first zero byte; empty for a value without data, whatever its
// type. Raises "Invalid data type for '<name>'" for a value of any other type with data, and "Failed to get
// data for '<name>'" when the data could not be fetched.
std::string ValueText(std::string_view name, const SectionValue& value);

}  // namespace zqt
