#pragma once
// Integers stored as text: the reading rules of the placement store.

#include <cstdint>
#include <string_view>

namespace zqt {

// Leading spaces, then an optional sign and decimal digits (a signed 32-bit value), or a hexadecimal number
// introduced by "$", "x", "X", "0x" or "0X" (any 32-bit pattern). Anything else gives `fallback`.
std::int32_t TextToInt(std::string_view text, std::int32_t fallback);

}  // namespace zqt
