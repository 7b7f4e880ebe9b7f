#include "win32/compare_string_collation.h"

#include <windows.h>

#include <limits>

namespace zqt::win32 {
namespace {

int Length(std::string_view text) {
  return text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())
             ? std::numeric_limits<int>::max()
             : static_cast<int>(text.size());
}

}  // namespace

int CompareStringCollation::Compare(std::string_view a, std::string_view b) const {
  // CSTR_LESS_THAN (1), CSTR_EQUAL (2), CSTR_GREATER_THAN (3); 0 only on invalid arguments.
  const int result =
      CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), Length(a), b.data(), Length(b));
  return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

}  // namespace zqt::win32
