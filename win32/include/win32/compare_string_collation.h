#pragma once
// The Windows collation of the multiplier sets: CompareStringA with the user's default locale, case ignored.

#include <string_view>

#include "core/collation.h"

namespace zqt::win32 {

class CompareStringCollation final : public Collation {
 public:
  int Compare(std::string_view a, std::string_view b) const override;
};

}  // namespace zqt::win32
