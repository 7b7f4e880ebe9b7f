#include "support/user_collation.h"

#ifdef _WIN32
#include "win32/compare_string_collation.h"
#else
#include "support/locale_collation.h"
#endif

namespace zqt::test {

const Collation& UserCollation() {
#ifdef _WIN32
  static const win32::CompareStringCollation collation;
#else
  static const LocaleCollation collation;
#endif
  return collation;
}

}  // namespace zqt::test
