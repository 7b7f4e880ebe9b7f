#pragma once
// Ordinal comparison of 8-bit text: unsigned bytes, first difference decides, a prefix sorts first.

#include <cstring>
#include <string_view>

namespace zqt {

inline int CompareOrdinal(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  if (c != 0)
    return c < 0 ? -1 : 1;
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace zqt
