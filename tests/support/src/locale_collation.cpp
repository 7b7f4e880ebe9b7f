#include "support/locale_collation.h"

#include <stdexcept>
#include <string>

namespace zqt {
namespace {

std::locale UserLocale() {
  try {
    return std::locale("");
  } catch (const std::runtime_error&) {
    return std::locale::classic();
  }
}

}  // namespace

LocaleCollation::LocaleCollation()
    : locale_(UserLocale()),
      ctype_(std::use_facet<std::ctype<char>>(locale_)),
      collate_(std::use_facet<std::collate<char>>(locale_)) {}

int LocaleCollation::Compare(std::string_view a, std::string_view b) const {
  std::string fa(a);
  std::string fb(b);
  ctype_.toupper(fa.data(), fa.data() + fa.size());
  ctype_.toupper(fb.data(), fb.data() + fb.size());
  return collate_.compare(fa.data(), fa.data() + fa.size(), fb.data(), fb.data() + fb.size());
}

}  // namespace zqt
