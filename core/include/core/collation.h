#pragma once
// The user's locale collation with letter case ignored, as the multiplier sets compare their texts. The
// platform layer supplies it: CompareStringA on Windows; the native tests use the C++ locale.

#include <string_view>

namespace zqt {

class Collation {
 public:
  virtual ~Collation() = default;
  // Negative, zero or positive as a sorts before, equal to or after b.
  virtual int Compare(std::string_view a, std::string_view b) const = 0;
};

}  // namespace zqt
