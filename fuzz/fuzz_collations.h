#pragma once
// The collations the tally is fuzzed under: the portable user collation, and one that also folds the letter
// case of Latin-1, as the Windows collation does in an ANSI code page. Under the second, texts of different
// bytes compare equal beyond ASCII too, so which of them arrives first decides what a set keeps.

#include <cstdint>
#include <string_view>

#include "core/collation.h"
#include "support/locale_collation.h"

namespace zqt::fuzzing {

class LatinFoldingCollation final : public Collation {
 public:
  int Compare(std::string_view a, std::string_view b) const override {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned fa = Fold(a[i]);
      const unsigned fb = Fold(b[i]);
      if (fa != fb)
        return fa < fb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }

 private:
  // Lower-case ASCII and Latin-1 letters to their capitals (0xF7 is the division sign, 0xFF has none here).
  static unsigned Fold(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
      return u - 0x20u;
    return u;
  }
};

// Bit 0 of `choice` picks the collation.
inline const Collation& PickCollation(std::uint8_t choice) {
  static const LocaleCollation user;
  static const LatinFoldingCollation latin;
  if ((choice & 1) != 0)
    return latin;
  return user;
}

}  // namespace zqt::fuzzing
