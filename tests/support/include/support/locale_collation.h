#pragma once
// The user collation where there is no CompareStringA, for the native tests, fuzzers and benchmarks: the
// environment's C++ locale, comparing case-folded copies.

#include <locale>
#include <string_view>

#include "core/collation.h"

namespace zqt {

class LocaleCollation final : public Collation {
 public:
  // The locale the environment names (LANG, LC_ALL), or the classic one when it names none that exists.
  LocaleCollation();

  int Compare(std::string_view a, std::string_view b) const override;

 private:
  std::locale locale_;
  const std::ctype<char>& ctype_;
  const std::collate<char>& collate_;
};

}  // namespace zqt
