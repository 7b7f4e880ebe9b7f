// The portable build's user collation: the environment's C++ locale, comparing case-folded copies.

#include <locale>
#include <string>

#include "core/collation.h"

namespace zqt {
namespace {

std::locale UserLocale() {
  try {
    return std::locale("");
  } catch (const std::runtime_error&) {
    return std::locale::classic();
  }
}

class LocaleCollation final : public Collation {
 public:
  LocaleCollation()
      : locale_(UserLocale()),
        ctype_(std::use_facet<std::ctype<char>>(locale_)),
        collate_(std::use_facet<std::collate<char>>(locale_)) {}

  int Compare(std::string_view a, std::string_view b) const override {
    const std::string fa = Fold(a);
    const std::string fb = Fold(b);
    return collate_.compare(fa.data(), fa.data() + fa.size(), fb.data(), fb.data() + fb.size());
  }

 private:
  std::string Fold(std::string_view text) const {
    std::string folded(text);
    ctype_.toupper(folded.data(), folded.data() + folded.size());
    return folded;
  }

  std::locale locale_;
  const std::ctype<char>& ctype_;
  const std::collate<char>& collate_;
};

}  // namespace

const Collation& UserCollation() {
  static const LocaleCollation collation;
  return collation;
}

}  // namespace zqt
